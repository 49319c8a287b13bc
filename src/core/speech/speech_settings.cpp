#include "core/speech/speech_settings.h"

#include <limits>

#include "core/log/chat_format.h"

namespace ruv {

std::string_view readModeCaption(ReadMode mode) noexcept {
    switch (mode) {
        case ReadMode::AllWithProfiles:
            // "全て読み上げる（ユーザー別発声設定を有効）"
            return "\x91S\x82\xc4\x93\xc7\x82\xdd\x8f\xe3\x82\xb0\x82\xe9\x81i\x83\x86\x81["
                   "\x83U\x81["
                   "\x95\xca\x94\xad\x90\xba\x90\xdd\x92\xe8\x82\xf0\x97L\x8c\xf8\x81j";
        case ReadMode::AllWithoutProfiles:
            // "全て読み上げる（ユーザー別発声設定を無効）"
            return "\x91S\x82\xc4\x93\xc7\x82\xdd\x8f\xe3\x82\xb0\x82\xe9\x81i\x83\x86\x81["
                   "\x83U\x81["
                   "\x95\xca\x94\xad\x90\xba\x90\xdd\x92\xe8\x82\xf0\x96\xb3\x8c\xf8\x81j";
        case ReadMode::OnlyProfiled:
            // "発声設定したユーザーだけ読み上げる"
            return "\x94\xad\x90\xba\x90\xdd\x92\xe8\x82\xb5\x82\xbd\x83\x86\x81[\x83U\x81[\x82\xbe"
                   "\x82\xaf\x93\xc7\x82\xdd\x8f\xe3\x82\xb0\x82\xe9";
        case ReadMode::AllButProfiled:
            // "発声設定したユーザーだけ読み上げない"
            return "\x94\xad\x90\xba\x90\xdd\x92\xe8\x82\xb5\x82\xbd\x83\x86\x81[\x83U\x81[\x82\xbe"
                   "\x82\xaf\x93\xc7\x82\xdd\x8f\xe3\x82\xb0\x82\xc8\x82\xa2";
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
    // "'" port "' はポート番号の範囲（1～65535）外です"
    return "'" + std::string(typedPort) +
           "' "
           "\x82\xcd\x83\x7c\x81\x5b\x83\x67\x94\xd4\x8d\x86\x82\xcc\x94\xcd\x88\xcd\x81\x69\x31"
           "\x81\x60\x36\x35\x35\x33\x35\x81\x6a\x8a\x4f\x82\xc5\x82\xb7";
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

    const auto mode = parseSettingInteger(texts.readMode);
    if (mode && *mode >= 0 && *mode < kReadModeCount) {
        out.settings.readMode = static_cast<ReadMode>(*mode);
    } else {
        out.badKeys.push_back(speech_keys::kReadMode);
        out.texts.readMode = reset.readMode;
    }
    return out;
}

std::string badSpeechSettingsErrorText(const std::vector<std::string_view>& badKeys) {
    // "毒電波設定の値が数値ではないため初期値にしました"
    std::string text =
        "\x93\xc5\x93"
        "d\x94g\x90\xdd\x92\xe8\x82\xcc\x92l\x82\xaa\x90\x94\x92l\x82\xc5\x82\xcd"
        "\x82\xc8\x82\xa2\x82\xbd\x82\xdf\x8f\x89\x8a\xfa\x92l\x82\xc9\x82\xb5\x82\xdc\x82\xb5\x82"
        "\xbd";
    for (std::size_t i = 0; i < badKeys.size(); ++i) {
        text += i == 0 ? ":" : ",";
        text += badKeys[i];
    }
    text += "(BouyomiSettingButton01Click) ";
    return text;
}

}  // namespace ruv
