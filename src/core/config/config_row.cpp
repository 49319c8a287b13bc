#include "core/config/config_row.h"

namespace ruv::config {

const std::array<CanonicalRow, kCanonicalRowCount> kCanonicalLayout{{
    {ConfigRow::Normal, "Normal", "1"},
    {ConfigRow::Open, "Open", "1"},
    {ConfigRow::Team, "Team", "1"},
    {ConfigRow::Club, "Club", "1"},
    {ConfigRow::Whis, "Whis", "1"},
    {ConfigRow::Shout, "Shout", "1"},
    {ConfigRow::Original, "Original", "1"},
    {ConfigRow::NG, "NG", "1"},
    {ConfigRow::Battle, "Battle", "0"},
    {ConfigRow::System, "System", "0"},
    {ConfigRow::ExpMonitor, "ExpMonitor", "1"},
    {ConfigRow::Error, "Error", "1"},
    {ConfigRow::OpenCheck, "OpenCheck", "0"},
    {ConfigRow::TeamCheck, "TeamCheck", "0"},
    {ConfigRow::ClubCheck, "ClubCheck", "0"},
    {ConfigRow::WhisCheck, "WhisCheck", "0"},
    {ConfigRow::ShoutCheck, "ShoutCheck", "0"},
    {ConfigRow::BattleCheck, "BattleCheck", "0"},
    {ConfigRow::SystemCheck, "SystemCheck", "0"},
    {ConfigRow::Reserve20, "Reserve20", "0"},
    {ConfigRow::UpDateTime, "UpDateTime", "1"},
    {ConfigRow::WindowsPenetration, "WindowsPenetration", "0"},
    {ConfigRow::Reserve23, "Reserve23", "0"},
    {ConfigRow::Reserve24, "Reserve24", "0"},
    {ConfigRow::SoundPathMemo01, "SoundPathMemo01", ""},
    {ConfigRow::SoundPathMemo02, "SoundPathMemo02", ""},
    {ConfigRow::SoundPathMemo03, "SoundPathMemo03", ""},
    {ConfigRow::SoundPathMemo04, "SoundPathMemo04", ""},
    {ConfigRow::SoundPathMemo05, "SoundPathMemo05", ""},
    {ConfigRow::SoundPathMemo06, "SoundPathMemo06", ""},
    {ConfigRow::Reserve31, "Reserve31", "0"},
    {ConfigRow::Reserve32, "Reserve32", "0"},
    {ConfigRow::SoundPathMemo09, "SoundPathMemo09", ""},
    {ConfigRow::Reserve34, "Reserve34", "0"},
    {ConfigRow::Reserve35, "Reserve35", "0"},
    {ConfigRow::StatusBar, "StatusBar", "0"},
    {ConfigRow::AutoUpdate, "AutoUpdate", "1"},
    {ConfigRow::UpWindow, "UpWindow", "0"},
    {ConfigRow::OldRuvIvuvaz, "OldRuvIvuvaz", "0"},
    {ConfigRow::Reserve40, "Reserve40", "0"},
    {ConfigRow::MHFolderPath, "MHFolderPath", ""},
    {ConfigRow::WindowTopPosition, "WindowTopPosition", ""},
    {ConfigRow::WindowLeftPosition, "WindowLeftPosition", ""},
    {ConfigRow::WindowHeightSize, "WindowHeightSize", ""},
    {ConfigRow::WindowWidthSize, "WindowWidthSize", ""},
    {ConfigRow::ExpMonitorLayoutList, "ExpMonitorLayoutList", "0"},
    {ConfigRow::NGWordCheck, "NGWordCheck", "0"},
    {ConfigRow::NGUserCheck, "NGUserCheck", "0"},
    {ConfigRow::Reserve49, "Reserve49", "0"},
    {ConfigRow::Reserve50, "Reserve50", "0"},
    {ConfigRow::BouIPAddress, "BouIPAddress", "127.0.0.1"},
    {ConfigRow::BouPort, "BouPort", "50001"},
    {ConfigRow::BouVolume, "BouVolume", "100"},
    {ConfigRow::BouPitch, "BouPitch", "100"},
    {ConfigRow::BouOntei, "BouOntei", "100"},
    {ConfigRow::BouVoiceKind, "BouVoiceKind", "0"},
    {ConfigRow::BouLimitMoji, "BouLimitMoji", "36"},
    {ConfigRow::BouNoName, "BouNoName", "0"},
    {ConfigRow::BouyomiCheck01, "BouyomiCheck01", "0"},
    {ConfigRow::BouyomiCheck02, "BouyomiCheck02", "0"},
}};

std::string_view canonicalKey(ConfigRow row) noexcept {
    const int number = rowNumber(row);
    if (number < 1 || number > kCanonicalRowCount) {
        return {};
    }
    return kCanonicalLayout[static_cast<std::size_t>(number - 1)].key;
}

std::optional<ConfigRow> canonicalRow(std::string_view key) noexcept {
    for (const CanonicalRow& canonical : kCanonicalLayout) {
        if (canonical.key == key) {
            return canonical.row;
        }
    }
    return std::nullopt;
}

}  // namespace ruv::config
