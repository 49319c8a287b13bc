#include "core/log/route_settings.h"

#include <array>
#include <optional>

#include "core/config/config_error.h"
#include "core/config/integer_text.h"

namespace ruv {

namespace {

using config::ConfigRow;

struct TabRow {
    ConfigRow row;
    ChatChannel tab;
};

constexpr std::array<TabRow, 11> kTabRows{{
    {ConfigRow::Normal, ChatChannel::Normal},
    {ConfigRow::Open, ChatChannel::Open},
    {ConfigRow::Team, ChatChannel::Team},
    {ConfigRow::Club, ChatChannel::Club},
    {ConfigRow::Whis, ChatChannel::Whis},
    {ConfigRow::Shout, ChatChannel::Shout},
    {ConfigRow::Original, ChatChannel::Original},
    {ConfigRow::NG, ChatChannel::NG},
    {ConfigRow::Battle, ChatChannel::Battle},
    {ConfigRow::System, ChatChannel::System},
    {ConfigRow::ExpMonitor, ChatChannel::ExpMonitor},
}};

struct MixRow {
    ConfigRow row;
    MixBox box;
};

constexpr std::array<MixRow, kMixBoxCount> kMixRows{{
    {ConfigRow::OpenCheck, MixBox::Open},
    {ConfigRow::TeamCheck, MixBox::Team},
    {ConfigRow::ClubCheck, MixBox::Club},
    {ConfigRow::WhisCheck, MixBox::Whis},
    {ConfigRow::ShoutCheck, MixBox::Shout},
    {ConfigRow::BattleCheck, MixBox::Battle},
    {ConfigRow::SystemCheck, MixBox::System},
}};

constexpr int kReadModeCount = 4;

void applyRow(ConfigRow keyRow, int fileRow, const std::string& value, RouteSettings& settings) {
    for (const TabRow& tab : kTabRows) {
        if (tab.row != keyRow) {
            continue;
        }
        // 戦闘情報 and システム start hidden and are shown by "1"; the other
        // tabs start shown and are hidden by "0".
        const bool hiddenAtStart = tab.tab == ChatChannel::Battle || tab.tab == ChatChannel::System;
        if (hiddenAtStart && value == "1") {
            settings.SetTabShown(tab.tab, true);
        } else if (!hiddenAtStart && value == "0") {
            settings.SetTabShown(tab.tab, false);
        }
        return;
    }
    for (const MixRow& mix : kMixRows) {
        if (mix.row == keyRow) {
            if (value == "1") {
                settings.SetMixTicked(mix.box, true);
            }
            return;
        }
    }
    switch (keyRow) {
        case ConfigRow::NGWordCheck:
            settings.ngUsersApplied = settings.ngUsersApplied || value == "1";
            break;
        case ConfigRow::NGUserCheck:
            settings.ngWordsApplied = settings.ngWordsApplied || value == "1";
            break;
        case ConfigRow::BouyomiCheck01:
            settings.speechSend = settings.speechSend || value == "1";
            break;
        case ConfigRow::BouyomiCheck02: {
            const std::optional<int> mode = config::parseInteger(value);
            if (!mode) {
                throw config::NotAnInteger(fileRow, value);
            }
            if (*mode >= 0 && *mode < kReadModeCount) {
                settings.readMode = *mode;
            }
            break;
        }
        default:
            break;
    }
}

}  // namespace

void ApplyRouteSettingsRows(const config::ConfigStore& store, RouteSettings& settings) {
    for (int fileRow = 1; fileRow <= store.count(); ++fileRow) {
        const ConfigRow row = config::configRow(fileRow);
        if (const std::optional<ConfigRow> keyRow = config::canonicalRow(store.key(row))) {
            applyRow(*keyRow, fileRow, store.value(row), settings);
        }
    }
}

void WriteRouteSettingsRows(const RouteSettings& settings, config::ConfigStore& store) {
    for (const TabRow& tab : kTabRows) {
        store.setFlag(tab.row, settings.TabShown(tab.tab));
    }
    for (const MixRow& mix : kMixRows) {
        store.setFlag(mix.row, settings.MixTicked(mix.box));
    }
    store.setFlag(ConfigRow::NGWordCheck, settings.ngUsersApplied);
    store.setFlag(ConfigRow::NGUserCheck, settings.ngWordsApplied);
    store.setFlag(ConfigRow::BouyomiCheck01, settings.speechSend);
    store.setInt(ConfigRow::BouyomiCheck02, settings.readMode);
}

}  // namespace ruv
