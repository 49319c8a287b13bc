#pragma once
// The fixed layout of config.ini: 60 rows, each with its key and the value
// written on first run. After start-up every reader and writer addresses a
// row by its number.

#include <array>
#include <optional>
#include <string_view>

namespace ruv::config {

// A row number of the settings, counted from 1. The named rows are those of
// the canonical layout; other numbers (ConfigRow{61}) address rows of a file
// that was edited by hand.
enum class ConfigRow : int {
    Normal = 1,
    Open = 2,
    Team = 3,
    Club = 4,
    Whis = 5,
    Shout = 6,
    Original = 7,
    NG = 8,
    Battle = 9,
    System = 10,
    ExpMonitor = 11,
    Error = 12,
    OpenCheck = 13,
    TeamCheck = 14,
    ClubCheck = 15,
    WhisCheck = 16,
    ShoutCheck = 17,
    BattleCheck = 18,
    SystemCheck = 19,
    Reserve20 = 20,
    UpDateTime = 21,
    WindowsPenetration = 22,
    Reserve23 = 23,
    Reserve24 = 24,
    SoundPathMemo01 = 25,
    SoundPathMemo02 = 26,
    SoundPathMemo03 = 27,
    SoundPathMemo04 = 28,
    SoundPathMemo05 = 29,
    SoundPathMemo06 = 30,
    Reserve31 = 31,
    Reserve32 = 32,
    SoundPathMemo09 = 33,
    Reserve34 = 34,
    Reserve35 = 35,
    StatusBar = 36,
    AutoUpdate = 37,
    UpWindow = 38,
    OldRuvIvuvaz = 39,
    Reserve40 = 40,
    MHFolderPath = 41,  // with exactly one trailing "\"
    WindowTopPosition = 42,
    WindowLeftPosition = 43,
    WindowHeightSize = 44,
    WindowWidthSize = 45,
    ExpMonitorLayoutList = 46,
    NGWordCheck = 47,  // holds the check box "NGユーザーを適用" (names crossed)
    NGUserCheck = 48,  // holds the check box "NGワードを適用"
    Reserve49 = 49,
    Reserve50 = 50,
    BouIPAddress = 51,
    BouPort = 52,
    BouVolume = 53,
    BouPitch = 54,
    BouOntei = 55,
    BouVoiceKind = 56,
    BouLimitMoji = 57,
    BouNoName = 58,
    BouyomiCheck01 = 59,
    BouyomiCheck02 = 60,
};

constexpr int rowNumber(ConfigRow row) noexcept {
    return static_cast<int>(row);
}
constexpr ConfigRow configRow(int number) noexcept {
    return static_cast<ConfigRow>(number);
}

inline constexpr int kCanonicalRowCount = 60;

struct CanonicalRow {
    ConfigRow row;
    std::string_view key;
    std::string_view firstRunValue;
};

// The 60 rows in file order.
extern const std::array<CanonicalRow, kCanonicalRowCount> kCanonicalLayout;

// The key of a canonical row; empty for other row numbers.
std::string_view canonicalKey(ConfigRow row) noexcept;

// The canonical row of a key (exact, case-sensitive); empty for other keys.
std::optional<ConfigRow> canonicalRow(std::string_view key) noexcept;

}  // namespace ruv::config
