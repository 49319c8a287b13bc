#pragma once
// The stored speech settings (config rows 51-58 and 60) as text and as values.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/speech/voice_params.h"

namespace ruv {

namespace speech_keys {
inline constexpr std::string_view kAddress = "BouIPAddress";       // row 51
inline constexpr std::string_view kPort = "BouPort";               // row 52
inline constexpr std::string_view kVolume = "BouVolume";           // row 53
inline constexpr std::string_view kSpeed = "BouPitch";             // row 54
inline constexpr std::string_view kTone = "BouOntei";              // row 55
inline constexpr std::string_view kVoiceKind = "BouVoiceKind";     // row 56
inline constexpr std::string_view kLimit = "BouLimitMoji";         // row 57
inline constexpr std::string_view kNameReading = "BouNoName";      // row 58
inline constexpr std::string_view kSendSwitch = "BouyomiCheck01";  // row 59
inline constexpr std::string_view kReadMode = "BouyomiCheck02";    // row 60
}  // namespace speech_keys

struct SpeechEndpoint {
    std::string address = "127.0.0.1";  // dotted IPv4 text
    std::uint16_t port = 50001;

    friend bool operator==(const SpeechEndpoint&, const SpeechEndpoint&) = default;
};

// The index of the read-mode drop-down list.
enum class ReadMode {
    AllWithProfiles = 0,     // per-character voices apply
    AllWithoutProfiles = 1,  // per-character voices are ignored
    OnlyProfiled = 2,        // lines of characters without a voice are not read
    AllButProfiled = 3,      // lines of characters with a voice are not read
};
inline constexpr int kReadModeCount = 4;
// The drop-down list's entry for the mode, CP932.
std::string_view readModeCaption(ReadMode mode) noexcept;
// The mode a stored text (BouyomiCheck02) names; empty when it names no entry.
std::optional<ReadMode> readModeOf(std::string_view text) noexcept;

enum class NameReading { Read, NotRead };

// The settings as stored: decimal text, names as in config.ini.
struct SpeechSettingTexts {
    std::string address;      // BouIPAddress
    std::string port;         // BouPort
    std::string volume;       // BouVolume
    std::string speed;        // BouPitch
    std::string tone;         // BouOntei
    std::string voiceKind;    // BouVoiceKind
    std::string limit;        // BouLimitMoji, full-width characters
    std::string nameReading;  // BouNoName: "0" not read, any other text read
    std::string readMode;     // BouyomiCheck02

    friend bool operator==(const SpeechSettingTexts&, const SpeechSettingTexts&) = default;
};

// The values "設定の初期化" puts into the dialog (read mode 0).
SpeechSettingTexts speechSettingResetTexts();

struct SpeechSettings {
    SpeechEndpoint endpoint;
    int volume = 100;
    int speed = 100;
    int tone = 100;
    int voiceKind = 0;
    int limitMoji = 36;
    NameReading names = NameReading::NotRead;
    ReadMode readMode = ReadMode::AllWithProfiles;

    friend bool operator==(const SpeechSettings&, const SpeechSettings&) = default;
};

// Speed from BouPitch, tone from BouOntei, volume from BouVolume, voice from BouVoiceKind.
VoiceParams GlobalVoice(const SpeechSettings& settings) noexcept;

struct SpeechSettingsReading {
    SpeechSettings settings;
    // The texts with every unreadable field replaced by its reset value: what the
    // settings dialog shows.
    SpeechSettingTexts texts;
    // Keys of the fields that were not numbers (or a port outside 0-65535, a
    // read mode outside 0-3); they took their reset values.
    std::vector<std::string_view> badKeys;
};

SpeechSettingsReading readSpeechSettings(const SpeechSettingTexts& texts);

// A whole number as the settings dialog and config.ini write it (leading
// blanks allowed, 32-bit range); empty otherwise.
std::optional<int> parseSettingInteger(std::string_view text) noexcept;
std::optional<std::uint16_t> parsePort(std::string_view text) noexcept;

// What the dialog makes of its port field: a port is a whole number from 1 to
// 65535.
enum class PortCheck { Valid, NotNumber, OutOfRange };
PortCheck checkDialogPort(std::string_view text) noexcept;

// The endpoint of the dialog's address and port fields as they stand; empty
// unless checkDialogPort finds the port valid.
std::optional<SpeechEndpoint> endpointFromTexts(std::string_view address, std::string_view port);

// The refusal of a port outside 1 to 65535 (CP932).
std::string portOutOfRangeText(std::string_view typedPort);

// One error line (without its date and time) naming the fields that were reset
// when the settings dialog opened.
std::string badSpeechSettingsErrorText(const std::vector<std::string_view>& badKeys);

}  // namespace ruv
