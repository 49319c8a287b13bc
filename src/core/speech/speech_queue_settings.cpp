#include "core/speech/speech_queue_settings.h"

#include <charconv>
#include <chrono>

namespace ruv {

namespace {

constexpr std::string_view kLinesThereKey = "SpeechLinesThere";
constexpr std::string_view kStaleSecondsKey = "SpeechStaleSeconds";
constexpr std::string_view kPerSpeakerKey = "SpeechPerSpeaker";
// In the order of kSpeechHotkeyCommands.
constexpr std::array<std::string_view, kSpeechHotkeyCommands.size()> kHotkeyKeys{
    "HotkeySkip", "HotkeyClear", "HotkeyPause"};

// A key text is printable ASCII; anything else reads as no hotkey.
bool isKeyText(std::string_view value) {
    for (const char c : value) {
        if (c < 0x20 || c > 0x7e) {
            return false;
        }
    }
    return true;
}

void readNumber(std::string_view value, int most, int& into) {
    int parsed = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), parsed);
    if (error == std::errc() && end == value.data() + value.size() && parsed >= 0 &&
        parsed <= most) {
        into = parsed;
    }
}

}  // namespace

SpeechQueuePolicy SpeechQueueSettings::policy() const {
    return {linesThere, std::chrono::seconds(staleSeconds), perSpeaker};
}

SpeechQueueSettings readSpeechQueueSettings(std::string_view fileText) {
    SpeechQueueSettings settings;
    while (!fileText.empty()) {
        const std::size_t end = fileText.find('\n');
        std::string_view row = fileText.substr(0, end);
        fileText = end == std::string_view::npos ? std::string_view() : fileText.substr(end + 1);
        if (row.ends_with('\r')) {
            row.remove_suffix(1);
        }
        const std::size_t equals = row.find('=');
        if (equals == std::string_view::npos) {
            continue;
        }
        const std::string_view key = row.substr(0, equals);
        const std::string_view value = row.substr(equals + 1);
        if (key == kLinesThereKey) {
            readNumber(value, kMostLinesThere, settings.linesThere);
        } else if (key == kStaleSecondsKey) {
            readNumber(value, kMostStaleSeconds, settings.staleSeconds);
        } else if (key == kPerSpeakerKey) {
            readNumber(value, kMostPerSpeaker, settings.perSpeaker);
        }
        for (std::size_t command = 0; command < kHotkeyKeys.size(); ++command) {
            if (key == kHotkeyKeys[command] && isKeyText(value)) {
                settings.hotkeys.keys[command] = value;
            }
        }
    }
    return settings;
}

std::string speechQueueSettingsText(const SpeechQueueSettings& settings) {
    std::string text;
    const auto row = [&text](std::string_view key, int value) {
        text.append(key).append("=").append(std::to_string(value)).append("\r\n");
    };
    row(kLinesThereKey, settings.linesThere);
    row(kStaleSecondsKey, settings.staleSeconds);
    row(kPerSpeakerKey, settings.perSpeaker);
    for (std::size_t command = 0; command < kHotkeyKeys.size(); ++command) {
        if (!settings.hotkeys.keys[command].empty()) {
            text.append(kHotkeyKeys[command])
                .append("=")
                .append(settings.hotkeys.keys[command])
                .append("\r\n");
        }
    }
    return text;
}

}  // namespace ruv
