#include "core/speech/voice_list.h"

#include <optional>

#include "core/speech/speech_settings.h"
#include "core/speech/speech_texts.h"

namespace ruv {

namespace {

bool isBlank(char c) {
    return c >= '\x01' && c <= ' ';
}

struct ParsedValues {
    int voice, volume, speed, tone;
};

std::optional<ParsedValues> parseValues(std::string_view values) {
    const std::vector<std::string> fields = splitVoiceFields(values);
    if (fields.size() < 4) {
        return std::nullopt;
    }
    const auto voice = parseSettingInteger(fields[0]);
    const auto volume = parseSettingInteger(fields[1]);
    const auto speed = parseSettingInteger(fields[2]);
    const auto tone = parseSettingInteger(fields[3]);
    if (!voice || !volume || !speed || !tone) {
        return std::nullopt;
    }
    return ParsedValues{*voice, *volume, *speed, *tone};
}

}  // namespace

std::string voiceProfileLine(const VoiceProfile& profile) {
    return profile.Name + "=" + std::to_string(profile.Voice) + "," +
           std::to_string(profile.Volume) + "," + std::to_string(profile.Speed) + "," +
           std::to_string(profile.Tone);
}

VoiceList::VoiceList(std::vector<VoiceProfile> profiles) {
    replaceProfiles(std::move(profiles));
}

void VoiceList::replaceProfiles(std::vector<VoiceProfile> profiles) {
    profiles_ = std::move(profiles);
    lines_.clear();
    lines_.reserve(profiles_.size() + unusableLines_.size());
    for (const VoiceProfile& profile : profiles_) {
        lines_.push_back(voiceProfileLine(profile));
    }
    lines_.insert(lines_.end(), unusableLines_.begin(), unusableLines_.end());
}

std::vector<std::string> splitVoiceFields(std::string_view values) {
    std::vector<std::string> fields;
    std::size_t pos = 0;
    const auto skipBlanks = [&] {
        while (pos < values.size() && isBlank(values[pos])) {
            ++pos;
        }
    };
    skipBlanks();
    while (pos < values.size()) {
        std::string field;
        if (values[pos] == '"') {
            ++pos;
            while (pos < values.size()) {
                if (values[pos] == '"') {
                    if (pos + 1 < values.size() && values[pos + 1] == '"') {
                        field.push_back('"');
                        pos += 2;
                        continue;
                    }
                    ++pos;
                    break;
                }
                field.push_back(values[pos++]);
            }
        } else {
            while (pos < values.size() && !isBlank(values[pos]) && values[pos] != ',') {
                field.push_back(values[pos++]);
            }
        }
        fields.push_back(std::move(field));
        skipBlanks();
        if (pos < values.size() && values[pos] == ',') {
            ++pos;
            if (pos == values.size()) {
                fields.emplace_back();
            }
            skipBlanks();
        }
    }
    return fields;
}

VoiceListReading LoadVoiceList(std::span<const std::string> lines) {
    VoiceListReading out;
    std::vector<VoiceProfile> profiles;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        const std::size_t equals = line.find('=');
        std::optional<ParsedValues> values;
        if (equals != std::string::npos && equals > 0) {
            const std::string_view name(line.data(), equals);
            // Lines that share a name take the values of the first of them.
            std::size_t first = 0;
            while (!std::string_view(lines[first]).starts_with(name) ||
                   lines[first].find('=') != equals) {
                ++first;
            }
            values = parseValues(std::string_view(lines[first]).substr(equals + 1));
        }
        if (values) {
            profiles.push_back(VoiceProfile{line.substr(0, equals), values->voice, values->volume,
                                            values->speed, values->tone});
        } else if (!line.empty()) {
            out.list.unusableLines_.push_back(line);
            out.unusableLineNumbers.push_back(i + 1);
        }
    }
    out.list.profiles_ = std::move(profiles);
    out.list.lines_.assign(lines.begin(), lines.end());
    return out;
}

std::vector<std::string> SaveVoiceList(const VoiceList& list) {
    return list.lines();
}

std::string unusableVoiceLinesErrorText(const std::vector<std::size_t>& lineNumbers) {
    std::string text(speech_texts::kUnusableVoiceLinesHead);
    for (std::size_t i = 0; i < lineNumbers.size(); ++i) {
        if (i > 0) {
            text += ",";
        }
        text += std::to_string(lineNumbers[i]);
    }
    text += speech_texts::kUnusableVoiceLinesTail;
    return text;
}

}  // namespace ruv
