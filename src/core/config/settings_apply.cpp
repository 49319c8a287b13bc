#include "core/config/settings_apply.h"

#include <algorithm>
#include <functional>

#include "core/config/config_error.h"
#include "core/config/integer_text.h"

namespace ruv::config {
namespace {

constexpr std::array<ConfigRow, kSoundSlotCount> kSoundRows{
    ConfigRow::SoundPathMemo01, ConfigRow::SoundPathMemo02, ConfigRow::SoundPathMemo03,
    ConfigRow::SoundPathMemo04, ConfigRow::SoundPathMemo05, ConfigRow::SoundPathMemo06,
    ConfigRow::SoundPathMemo09};

constexpr std::array<ConfigRow, 7> kReservedRows{
    ConfigRow::Reserve20, ConfigRow::Reserve23, ConfigRow::Reserve24, ConfigRow::Reserve31,
    ConfigRow::Reserve32, ConfigRow::Reserve34, ConfigRow::Reserve35};

int integerOf(std::string_view value, int row) {
    const auto number = parseInteger(value);
    if (!number) {
        throw NotAnInteger(row, std::string(value));
    }
    return *number;
}

std::size_t tabIndex(ConfigRow row) {
    return static_cast<std::size_t>(rowNumber(row) - rowNumber(ConfigRow::Normal));
}

// What one row does, and the label of its group.
struct RowEffect {
    std::string_view stage;
    std::function<void(std::string_view value, int row)> apply;
};

std::optional<RowEffect> effectOf(ConfigRow row, AppSettings& s, SpeechRowsRead& speech) {
    const int n = rowNumber(row);
    if (n >= rowNumber(ConfigRow::Normal) && n <= rowNumber(ConfigRow::ExpMonitor)) {
        const std::size_t tab = tabIndex(row);
        const bool hiddenAtDesign =
            visibilityAtDesign(tabOf(static_cast<ChatChannel>(tab))) == TabVisibility::Hidden;
        return RowEffect{kStageTabs, [&s, tab, hiddenAtDesign](std::string_view v, int) {
                             if (hiddenAtDesign && v == "1") {
                                 s.route.tabShown[tab] = true;
                             } else if (!hiddenAtDesign && v == "0") {
                                 s.route.tabShown[tab] = false;
                             }
                         }};
    }
    if (n >= rowNumber(ConfigRow::OpenCheck) && n <= rowNumber(ConfigRow::SystemCheck)) {
        const auto box = static_cast<std::size_t>(n - rowNumber(ConfigRow::OpenCheck));
        return RowEffect{kStageMix, [&s, box](std::string_view v, int) {
                             if (v == "1") {
                                 s.route.mix[box] = true;
                             }
                         }};
    }
    for (std::size_t slot = 0; slot < kSoundRows.size(); ++slot) {
        if (row == kSoundRows[slot]) {
            return RowEffect{kStageSounds, [&s, slot](std::string_view v, int) {
                                 s.soundPaths[slot] = std::string(v);
                             }};
        }
    }
    const auto flag = [](bool& target, std::string_view when, bool to) {
        return [&target, when, to](std::string_view v, int) {
            if (v == when) {
                target = to;
            }
        };
    };
    const auto number = [](int& target) {
        return [&target](std::string_view v, int r) { target = integerOf(v, r); };
    };
    const auto optionalNumber = [](std::optional<int>& target) {
        return [&target](std::string_view v, int r) {
            if (!v.empty()) {
                target = integerOf(v, r);
            }
        };
    };
    switch (row) {
        case ConfigRow::UpDateTime:
            return RowEffect{kStageIntervalAlpha, [&s](std::string_view v, int r) {
                                 const int seconds = integerOf(v, r);
                                 if (isIntervalEntry(seconds)) {
                                     s.intervalSeconds = seconds;
                                 }
                             }};
        case ConfigRow::WindowsPenetration:
            return RowEffect{kStageIntervalAlpha, [&s](std::string_view v, int r) {
                                 const int percent = integerOf(v, r);
                                 if (isTransparencyEntry(percent)) {
                                     s.transparencyPercent = percent;
                                 }
                             }};
        case ConfigRow::StatusBar:
            return RowEffect{kStageMenus, flag(s.statusBarRate, "1", true)};
        case ConfigRow::AutoUpdate:
            return RowEffect{kStageMenus, flag(s.autoAttach, "0", false)};
        case ConfigRow::UpWindow:
            return RowEffect{kStageMenus, flag(s.topMost, "1", true)};
        case ConfigRow::OldRuvIvuvaz:
            return RowEffect{kStageMenus, flag(s.tidyOnAttach, "1", true)};
        case ConfigRow::MHFolderPath:
            return RowEffect{kStageWindow, [&s](std::string_view v, int) {
                                 if (!v.empty()) {
                                     s.logFolder = std::string(v);
                                 }
                             }};
        case ConfigRow::WindowTopPosition:
            return RowEffect{kStageWindow, optionalNumber(s.windowTop)};
        case ConfigRow::WindowLeftPosition:
            return RowEffect{kStageWindow, optionalNumber(s.windowLeft)};
        case ConfigRow::WindowHeightSize:
            return RowEffect{kStageWindow, optionalNumber(s.windowHeight)};
        case ConfigRow::WindowWidthSize:
            return RowEffect{kStageWindow, optionalNumber(s.windowWidth)};
        case ConfigRow::ExpMonitorLayoutList:
            return RowEffect{kStageWindow, number(s.expLayout)};
        case ConfigRow::NGWordCheck:
            return RowEffect{kStageWindow, flag(s.route.ngUsersApplied, "1", true)};
        case ConfigRow::NGUserCheck:
            return RowEffect{kStageWindow, flag(s.route.ngWordsApplied, "1", true)};
        case ConfigRow::BouIPAddress:
            return RowEffect{kStageSpeech,
                             [&speech](std::string_view v, int) { speech.address = v; }};
        case ConfigRow::BouPort:
            return RowEffect{kStageSpeech, number(speech.port)};
        case ConfigRow::BouVolume:
            return RowEffect{kStageSpeech, number(speech.volume)};
        case ConfigRow::BouPitch:
            return RowEffect{kStageSpeech, number(speech.speed)};
        case ConfigRow::BouOntei:
            return RowEffect{kStageSpeech, number(speech.tone)};
        case ConfigRow::BouVoiceKind:
            return RowEffect{kStageSpeech, number(speech.voice)};
        case ConfigRow::BouLimitMoji:
            return RowEffect{kStageSpeech, number(speech.limit)};
        case ConfigRow::BouNoName:
            return RowEffect{kStageSpeech, number(speech.nameFlag)};
        case ConfigRow::BouyomiCheck01:
            return RowEffect{kStageSpeech, flag(s.route.speechSend, "1", true)};
        case ConfigRow::BouyomiCheck02:
            return RowEffect{kStageSpeech, [&s](std::string_view v, int r) {
                                 const int mode = integerOf(v, r);
                                 if (mode >= 0 && mode <= 3) {
                                     s.readMode = mode;
                                 }
                             }};
        default:
            return std::nullopt;
    }
}

}  // namespace

bool isIntervalEntry(int seconds) noexcept {
    return seconds == 0 || seconds == 1 || seconds == 5 || seconds == 10 || seconds == 30 ||
           seconds == 60;
}

bool isTransparencyEntry(int percent) noexcept {
    return percent >= 0 && percent <= 50 && percent % 10 == 0;
}

std::vector<StartupIssue> applyConfigRows(const ConfigStore& store, AppSettings& settings,
                                          SpeechRowsRead& speech) {
    std::vector<StartupIssue> issues;
    for (int n = 1; n <= store.count(); ++n) {
        const ConfigRow at = configRow(n);
        const auto row = canonicalRow(store.key(at));
        if (!row) {
            continue;
        }
        const auto effect = effectOf(*row, settings, speech);
        if (!effect) {
            continue;  // rows that are written but never read
        }
        try {
            effect->apply(store.value(at), n);
        } catch (const ConfigError& failure) {
            issues.push_back({effect->stage, failure.what()});
        }
    }
    return issues;
}

void writeExitRows(ConfigStore& store, const AppSettings& s) {
    for (std::size_t tab = 0; tab < s.route.tabShown.size(); ++tab) {
        store.setFlag(configRow(rowNumber(ConfigRow::Normal) + static_cast<int>(tab)),
                      s.route.tabShown[tab]);
    }
    store.setValue(ConfigRow::Error, "1");
    for (std::size_t box = 0; box < s.route.mix.size(); ++box) {
        store.setFlag(configRow(rowNumber(ConfigRow::OpenCheck) + static_cast<int>(box)),
                      s.route.mix[box]);
    }
    for (const ConfigRow reserved : kReservedRows) {
        store.setValue(reserved, "0");
    }
    for (const ConfigRow reserved :
         {ConfigRow::Reserve40, ConfigRow::Reserve49, ConfigRow::Reserve50}) {
        store.setValue(reserved, "0");
    }
    store.setInt(ConfigRow::UpDateTime, s.intervalSeconds);
    store.setInt(ConfigRow::WindowsPenetration, s.transparencyPercent);
    for (std::size_t slot = 0; slot < kSoundRows.size(); ++slot) {
        store.setValue(kSoundRows[slot], s.soundPaths[slot]);
    }
    store.setFlag(ConfigRow::StatusBar, s.statusBarRate);
    store.setFlag(ConfigRow::AutoUpdate, s.autoAttach);
    store.setFlag(ConfigRow::UpWindow, s.topMost);
    store.setFlag(ConfigRow::OldRuvIvuvaz, s.tidyOnAttach);
    store.setValue(ConfigRow::MHFolderPath, s.logFolder);
    const auto position = [&store](ConfigRow row, const std::optional<int>& value) {
        if (value) {
            store.setInt(row, *value);
        } else {
            store.setValue(row, "");
        }
    };
    position(ConfigRow::WindowTopPosition, s.windowTop);
    position(ConfigRow::WindowLeftPosition, s.windowLeft);
    position(ConfigRow::WindowHeightSize, s.windowHeight);
    position(ConfigRow::WindowWidthSize, s.windowWidth);
    store.setInt(ConfigRow::ExpMonitorLayoutList, s.expLayout);
    store.setFlag(ConfigRow::NGWordCheck, s.route.ngUsersApplied);
    store.setFlag(ConfigRow::NGUserCheck, s.route.ngWordsApplied);
    store.setFlag(ConfigRow::BouyomiCheck01, s.route.speechSend);
    store.setInt(ConfigRow::BouyomiCheck02, s.readMode);
}

void writeExitState(ConfigStore& store, AppSettings state, std::string_view attachedLogFolder) {
    state.logFolder = attachedLogFolder.empty() ? store.value(ConfigRow::MHFolderPath)
                                                : std::string(attachedLogFolder);
    if (!store.hasCanonicalLayout()) {
        store = canonicalStore(state, SpeechRowsRead{});
    }
    writeExitRows(store, state);
}

ConfigStore canonicalStore(const AppSettings& settings, const SpeechRowsRead& speech) {
    ConfigStore store = firstRunConfigStore();
    writeExitRows(store, settings);
    store.setValue(ConfigRow::BouIPAddress, speech.address.empty() ? "127.0.0.1" : speech.address);
    const auto positive = [&store](ConfigRow row, int read, int fallback) {
        store.setInt(row, read >= 1 ? read : fallback);
    };
    positive(ConfigRow::BouPort, speech.port, 50001);
    positive(ConfigRow::BouVolume, speech.volume, 100);
    positive(ConfigRow::BouPitch, speech.speed, 100);
    positive(ConfigRow::BouOntei, speech.tone, 100);
    positive(ConfigRow::BouVoiceKind, speech.voice, 0);
    positive(ConfigRow::BouLimitMoji, speech.limit, 36);
    store.setFlag(ConfigRow::BouNoName, speech.nameFlag != 0);
    return store;
}

}  // namespace ruv::config
