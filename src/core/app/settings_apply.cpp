#include "core/app/settings_apply.h"

#include <algorithm>
#include <functional>

#include "core/config/config_error.h"
#include "core/config/integer_text.h"
#include "core/config/settings_files.h"

namespace ruv::config {
namespace {

constexpr std::array<ConfigRow, kCallSoundSlotCount> kSoundRows{
    ConfigRow::SoundPathMemo01, ConfigRow::SoundPathMemo02, ConfigRow::SoundPathMemo03,
    ConfigRow::SoundPathMemo04, ConfigRow::SoundPathMemo05, ConfigRow::SoundPathMemo06,
    ConfigRow::SoundPathMemo09};

constexpr std::array<ConfigRow, 7> kReservedRows{
    ConfigRow::Reserve20, ConfigRow::Reserve23, ConfigRow::Reserve24, ConfigRow::Reserve31,
    ConfigRow::Reserve32, ConfigRow::Reserve34, ConfigRow::Reserve35};

inline const FixedText kLineSuffix{"行目 "};
inline const FixedText kNotANumberText{": 数値ではありません。"};
inline const FixedText kUnusableText{": 使えない値です。"};
inline const FixedText kUsedInsteadPrefix{"代わりに "};
inline const FixedText kUsedInsteadSuffix{" を使います。"};
inline const FixedText kNothingKept{"この行は使わず、既定の値のままにします。"};

constexpr int kLargestPort = 65535;

// A number the setting cannot take; the setting keeps the value in force.
class UnusableValue final : public ConfigError {
  public:
    UnusableValue(int row, std::string_view text)
        : ConfigError("settings row " + std::to_string(row) +
                      " holds an unusable value: " + std::string(text)) {}
};

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

// The speech rows as numbers while the rows are applied; zero stands for a row
// that was missing or unreadable.
struct SpeechRows {
    std::string address;
    int port = 0;
    int volume = 0;
    int speed = 0;
    int tone = 0;
    int voice = 0;
    int limit = 0;
    int nameFlag = 0;
};

// The texts the rows give, with a first-run value wherever a row gave none;
// the read mode is kept.
SpeechSettingTexts speechTextsOf(const SpeechRows& rows, std::string readMode) {
    const SpeechSettingTexts firstRun = speechSettingResetTexts();
    const auto positive = [](int read, const std::string& fallback) {
        return read >= 1 ? std::to_string(read) : fallback;
    };
    return {rows.address.empty() ? firstRun.address : rows.address,
            positive(rows.port, firstRun.port),
            positive(rows.volume, firstRun.volume),
            positive(rows.speed, firstRun.speed),
            positive(rows.tone, firstRun.tone),
            positive(rows.voice, firstRun.voiceKind),
            positive(rows.limit, firstRun.limit),
            rows.nameFlag != 0 ? "1" : "0",
            std::move(readMode)};
}

// What one row does, and the label of its group.
struct RowEffect {
    std::string_view stage;
    std::function<void(std::string_view value, int row)> apply;
};

std::optional<RowEffect> effectOf(ConfigRow row, SessionState& s, SpeechRows& speech) {
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
                                 if (!isIntervalEntry(seconds)) {
                                     throw UnusableValue(r, v);
                                 }
                                 s.intervalSeconds = seconds;
                             }};
        case ConfigRow::WindowsPenetration:
            return RowEffect{kStageIntervalAlpha, [&s](std::string_view v, int r) {
                                 const int percent = integerOf(v, r);
                                 if (!isTransparencyEntry(percent)) {
                                     throw UnusableValue(r, v);
                                 }
                                 s.transparencyPercent = percent;
                             }};
        case ConfigRow::StatusBar:
            return RowEffect{kStageMenus, flag(s.statusBarRate, "1", true)};
        case ConfigRow::AutoUpdate:
            return RowEffect{kStageMenus, flag(s.attach.autoAttach, "0", false)};
        case ConfigRow::UpWindow:
            return RowEffect{kStageMenus, flag(s.topMost, "1", true)};
        case ConfigRow::OldRuvIvuvaz:
            return RowEffect{kStageMenus, flag(s.attach.tidyOnAttach, "1", true)};
        case ConfigRow::MHFolderPath:
            return RowEffect{kStageWindow, [&s](std::string_view v, int) {
                                 if (!v.empty()) {
                                     s.attach.logFolder = std::string(v);
                                 }
                             }};
        case ConfigRow::WindowTopPosition:
            return RowEffect{kStageWindow, optionalNumber(s.bounds.top)};
        case ConfigRow::WindowLeftPosition:
            return RowEffect{kStageWindow, optionalNumber(s.bounds.left)};
        case ConfigRow::WindowHeightSize:
            return RowEffect{kStageWindow, optionalNumber(s.bounds.height)};
        case ConfigRow::WindowWidthSize:
            return RowEffect{kStageWindow, optionalNumber(s.bounds.width)};
        case ConfigRow::ExpMonitorLayoutList:
            return RowEffect{kStageWindow, number(s.expLayout)};
        // The two NG rows are named the other way round from what they hold.
        case ConfigRow::NGWordCheck:
            return RowEffect{kStageWindow, flag(s.route.ngUsersApplied, "1", true)};
        case ConfigRow::NGUserCheck:
            return RowEffect{kStageWindow, flag(s.route.ngWordsApplied, "1", true)};
        case ConfigRow::BouIPAddress:
            return RowEffect{kStageSpeech,
                             [&speech](std::string_view v, int) { speech.address = v; }};
        case ConfigRow::BouPort:
            return RowEffect{kStageSpeech, [&speech](std::string_view v, int r) {
                                 const int port = integerOf(v, r);
                                 if (port < 1 || port > kLargestPort) {
                                     throw UnusableValue(r, v);
                                 }
                                 speech.port = port;
                             }};
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
                                 if (mode < 0 || mode >= kReadModeCount) {
                                     throw UnusableValue(r, v);
                                 }
                                 s.speech.readMode = std::to_string(mode);
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

std::vector<StartupIssue> applyConfigRows(const ConfigStore& store, SessionState& settings) {
    std::vector<StartupIssue> issues;
    SpeechRows speech;
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
            StartupIssue issue;
            issue.stage = effect->stage;
            issue.detail = failure.what();
            issue.kind = dynamic_cast<const UnusableValue*>(&failure) != nullptr
                             ? IssueKind::Unusable
                             : IssueKind::NotANumber;
            issue.line = n;
            issue.key = store.key(at);
            issue.value = store.value(at);
            issues.push_back(std::move(issue));
        }
    }
    settings.speech = speechTextsOf(speech, std::move(settings.speech.readMode));
    if (!issues.empty()) {
        // What each rejected row gives way to is what the state now holds.
        const ConfigStore inForce = canonicalStore(settings);
        for (StartupIssue& issue : issues) {
            issue.usedInstead = inForce.value(*canonicalRow(issue.key));
        }
    }
    return issues;
}

std::string startupIssueText(const StartupIssue& issue) {
    std::string text(kConfigFileName);
    text += ' ';
    text += std::to_string(issue.line);
    text += kLineSuffix;
    text += issue.key;
    text += '=';
    text += issue.value;
    text += issue.kind == IssueKind::Unusable ? kUnusableText : kNotANumberText;
    if (issue.usedInstead.empty()) {
        text += kNothingKept;
    } else {
        text += kUsedInsteadPrefix;
        text += issue.usedInstead;
        text += kUsedInsteadSuffix;
    }
    return text;
}

void writeExitRows(ConfigStore& store, const SessionState& s) {
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
    store.setFlag(ConfigRow::AutoUpdate, s.attach.autoAttach);
    store.setFlag(ConfigRow::UpWindow, s.topMost);
    store.setFlag(ConfigRow::OldRuvIvuvaz, s.attach.tidyOnAttach);
    store.setValue(ConfigRow::MHFolderPath, s.attach.logFolder);
    const auto position = [&store](ConfigRow row, const std::optional<int>& value) {
        if (value) {
            store.setInt(row, *value);
        } else {
            store.setValue(row, "");
        }
    };
    position(ConfigRow::WindowTopPosition, s.bounds.top);
    position(ConfigRow::WindowLeftPosition, s.bounds.left);
    position(ConfigRow::WindowHeightSize, s.bounds.height);
    position(ConfigRow::WindowWidthSize, s.bounds.width);
    store.setInt(ConfigRow::ExpMonitorLayoutList, s.expLayout);
    store.setFlag(ConfigRow::NGWordCheck, s.route.ngUsersApplied);
    store.setFlag(ConfigRow::NGUserCheck, s.route.ngWordsApplied);
    store.setFlag(ConfigRow::BouyomiCheck01, s.route.speechSend);
    store.setValue(ConfigRow::BouIPAddress, s.speech.address);
    store.setValue(ConfigRow::BouPort, s.speech.port);
    store.setValue(ConfigRow::BouVolume, s.speech.volume);
    store.setValue(ConfigRow::BouPitch, s.speech.speed);
    store.setValue(ConfigRow::BouOntei, s.speech.tone);
    store.setValue(ConfigRow::BouVoiceKind, s.speech.voiceKind);
    store.setValue(ConfigRow::BouLimitMoji, s.speech.limit);
    store.setValue(ConfigRow::BouNoName, s.speech.nameReading);
    store.setInt(ConfigRow::BouyomiCheck02, parseSettingInteger(s.speech.readMode).value_or(0));
}

void writeExitState(ConfigStore& store, SessionState state, std::string_view attachedLogFolder) {
    if (!attachedLogFolder.empty()) {
        state.attach.logFolder = std::string(attachedLogFolder);
    }
    if (!store.hasCanonicalLayout()) {
        store = firstRunConfigStore();
    }
    writeExitRows(store, state);
}

ConfigStore canonicalStore(const SessionState& state) {
    ConfigStore store = firstRunConfigStore();
    writeExitRows(store, state);
    return store;
}

}  // namespace ruv::config
