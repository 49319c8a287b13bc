#include "core/speech/speech_dialog_rules.h"

namespace ruv {

SpeechDialogValues dialogValuesFromStored(const SpeechSettingsReading& stored) {
    const SpeechSettings& s = stored.settings;
    return {stored.texts.address, stored.texts.port,  s.volume, s.speed, s.tone,
            s.voiceKind,          stored.texts.limit, s.names};
}

SpeechDialogValues dialogResetValues() {
    SpeechSettingsReading reset = readSpeechSettings(speechSettingResetTexts());
    return dialogValuesFromStored(reset);
}

std::optional<std::string> storedLimitText(std::string_view typed) {
    const auto value = parseSettingInteger(typed);
    if (!value) {
        return std::nullopt;
    }
    if (*value > kMaxLimitMoji) {
        return std::to_string(kMaxLimitMoji);
    }
    return std::string(typed);
}

SpeechDialogOk applyDialogOk(const SpeechDialogValues& values, std::string_view storedReadMode) {
    SpeechDialogOk out;
    const auto limit = storedLimitText(values.limit);
    if (!limit) {
        out.refusal = OkRefusal::LimitNotNumber;
        return out;
    }
    switch (checkDialogPort(values.port)) {
        case PortCheck::NotNumber:
            out.refusal = OkRefusal::PortNotNumber;
            return out;
        case PortCheck::OutOfRange:
            out.refusal = OkRefusal::PortOutOfRange;
            return out;
        case PortCheck::Valid:
            break;
    }
    out.stored = SpeechSettingTexts{values.address,
                                    values.port,
                                    std::to_string(values.volume),
                                    std::to_string(values.speed),
                                    std::to_string(values.tone),
                                    std::to_string(values.voiceKind),
                                    *limit,
                                    values.names == NameReading::NotRead ? "0" : "1",
                                    std::string(storedReadMode)};
    return out;
}

}  // namespace ruv
