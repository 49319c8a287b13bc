#pragma once
// The player's settings of the speech queue and the file that keeps them,
// ruvivuvaz_speech.ini beside the program: key=value lines, CP932, CR LF.
// Missing keys and values that are no number in range read as the defaults.
// The file also keeps the global hotkeys of the three speech commands.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "core/speech/speech_queue.h"

namespace ruv {

inline constexpr const char* kSpeechQueueFile = "ruvivuvaz_speech.ini";

// The commands of the 読み上げ menu that can also have a global hotkey.
enum class SpeechHotkeyCommand { Skip, Clear, Pause };
inline constexpr std::array kSpeechHotkeyCommands{
    SpeechHotkeyCommand::Skip, SpeechHotkeyCommand::Clear, SpeechHotkeyCommand::Pause};

// Each command's hotkey in the shell's portable key text ("Ctrl+Alt+F9"); empty
// while the player has set none, which is how they start.
struct SpeechHotkeyTexts {
    std::array<std::string, kSpeechHotkeyCommands.size()> keys;

    std::string& of(SpeechHotkeyCommand command) { return keys[static_cast<std::size_t>(command)]; }
    const std::string& of(SpeechHotkeyCommand command) const {
        return keys[static_cast<std::size_t>(command)];
    }
    friend bool operator==(const SpeechHotkeyTexts&, const SpeechHotkeyTexts&) = default;
};

struct SpeechQueueSettings {
    int linesThere = 1;  // 0–20: lines allowed to wait inside 棒読みちゃん; 0 sends at once
    int staleSeconds = 60;  // 0–3600: a line waiting longer is dropped; 0 never
    int perSpeaker = 3;     // 0–20: normal lines of one speaker waiting at once; 0 no limit
    SpeechHotkeyTexts hotkeys;

    SpeechQueuePolicy policy() const;
    friend bool operator==(const SpeechQueueSettings&, const SpeechQueueSettings&) = default;
};

inline constexpr int kMostLinesThere = 20;
inline constexpr int kMostStaleSeconds = 3600;
inline constexpr int kMostPerSpeaker = 20;

SpeechQueueSettings readSpeechQueueSettings(std::string_view fileText);
std::string speechQueueSettingsText(const SpeechQueueSettings& settings);

}  // namespace ruv
