#include "core/speech/speech_settings.h"

#include <limits>

#include "core/lines/chat_format.h"
#include "core/speech/speech_texts.h"

namespace ruv {

std::string_view readModeCaption(ReadMode mode) noexcept {
    switch (mode) {
        case ReadMode::AllWithProfiles:
            return speech_texts::kReadAllWithProfiles;
        case ReadMode::AllWithoutProfiles:
            return speech_texts::kReadAllWithoutProfiles;
        case ReadMode::OnlyProfiled:
            return speech_texts::kReadOnlyProfiled;
        case ReadMode::AllButProfiled:
            return speech_texts::kReadAllButProfiled;
    }
    return {};
}

SpeechSettingTexts speechSettingResetTexts() {
    return {"127.0.0.1", "50001", "100", "100", "100", "0", "36", "0", "0"};
}

VoiceParams GlobalVoice(const SpeechSettings& settings) noexcept {
    return {settings.speed, settings.tone, settings.volume, settings.voiceKind};
}

std::optional<int> parseSettingInteger(std::string_view text) noexcept {
    const auto value = parseDecimal(text, true);
    if (!value || *value < std::numeric_limits<int>::min() ||
        *value > std::numeric_limits<int>::max()) {
        return std::nullopt;
    }
    return static_cast<int>(*value);
}

std::optional<std::uint16_t> parsePort(std::string_view text) noexcept {
    const auto value = parseSettingInteger(text);
    if (!value || *value < 0 || *value > 65535) {
        return std::nullopt;
    }
    return static_cast<std::uint16_t>(*value);
}

PortCheck checkDialogPort(std::string_view text) noexcept {
    const auto value = parseSettingInteger(text);
    if (!value) {
        return PortCheck::NotNumber;
    }
    return *value >= 1 && *value <= 65535 ? PortCheck::Valid : PortCheck::OutOfRange;
}

std::optional<SpeechEndpoint> endpointFromTexts(std::string_view address, std::string_view port) {
    if (checkDialogPort(port) != PortCheck::Valid) {
        return std::nullopt;
    }
    return SpeechEndpoint{std::string(address), *parsePort(port)};
}

std::string portOutOfRangeText(std::string_view typedPort) {
    return "'" + std::string(typedPort) + std::string(speech_texts::kPortOutOfRangeTail);
}

SpeechSettingsReading readSpeechSettings(const SpeechSettingTexts& texts) {
    const SpeechSettingTexts reset = speechSettingResetTexts();
    SpeechSettingsReading out;
    out.texts = texts;

    out.settings.endpoint.address = texts.address;
    if (const auto port = parsePort(texts.port)) {
        out.settings.endpoint.port = *port;
    } else {
        out.badKeys.push_back(speech_keys::kPort);
        out.texts.port = reset.port;
    }

    const auto readInteger = [&](const std::string& text, std::string& shown,
                                 const std::string& resetText, std::string_view key, int& value) {
        if (const auto parsed = parseSettingInteger(text)) {
            value = *parsed;
        } else {
            out.badKeys.push_back(key);
            shown = resetText;
        }
    };
    readInteger(texts.volume, out.texts.volume, reset.volume, speech_keys::kVolume,
                out.settings.volume);
    readInteger(texts.speed, out.texts.speed, reset.speed, speech_keys::kSpeed, out.settings.speed);
    readInteger(texts.tone, out.texts.tone, reset.tone, speech_keys::kTone, out.settings.tone);
    readInteger(texts.voiceKind, out.texts.voiceKind, reset.voiceKind, speech_keys::kVoiceKind,
                out.settings.voiceKind);
    readInteger(texts.limit, out.texts.limit, reset.limit, speech_keys::kLimit,
                out.settings.limitMoji);

    // BouNoName is compared as text: only "0" leaves the names unread.
    out.settings.names = texts.nameReading == "0" ? NameReading::NotRead : NameReading::Read;

    if (const auto mode = readModeOf(texts.readMode)) {
        out.settings.readMode = *mode;
    } else {
        out.badKeys.push_back(speech_keys::kReadMode);
        out.texts.readMode = reset.readMode;
    }
    return out;
}

std::optional<ReadMode> readModeOf(std::string_view text) noexcept {
    const auto mode = parseSettingInteger(text);
    if (!mode || *mode < 0 || *mode >= kReadModeCount) {
        return std::nullopt;
    }
    return static_cast<ReadMode>(*mode);
}

std::string badSpeechSettingsErrorText(const std::vector<std::string_view>& badKeys) {
    std::string text(speech_texts::kBadSettingsText);
    for (std::size_t i = 0; i < badKeys.size(); ++i) {
        text += i == 0 ? ":" : ",";
        text += badKeys[i];
    }
    text += "(BouyomiSettingButton01Click) ";
    return text;
}

}  // namespace ruv
