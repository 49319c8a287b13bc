#include "core/speech/voice_params.h"

namespace ruv {

namespace {

void appendVoiceValue(std::string& out, int value) {
    out.push_back(static_cast<char>(static_cast<unsigned>(value) & 0xFFu));
    out.push_back('\0');
}

}  // namespace

std::string speechRequestBytes(const VoiceParams& voice, std::string_view message) {
    std::string out;
    out.reserve(kSpeechHeaderBytes + message.size());
    out.push_back('\x01');
    out.push_back('\0');
    appendVoiceValue(out, voice.Speed);
    appendVoiceValue(out, voice.Tone);
    appendVoiceValue(out, voice.Volume);
    appendVoiceValue(out, voice.Voice);
    out.push_back('\x02');
    const auto length = static_cast<std::uint32_t>(message.size());
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<char>((length >> shift) & 0xFFu));
    }
    out.append(message);
    return out;
}

}  // namespace ruv
