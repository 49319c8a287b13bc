#include "core/speech/speech_test_buttons.h"

#include "core/speech/speech_texts.h"

namespace ruv {

std::string connectionTestAdvice() {
    return std::string(speech_texts::kConnectionTestAdvice);
}

SpeechRequest connectionTestRequest(const SpeechEndpoint& endpoint) {
    return {endpoint, speechRequestBytes(VoiceParams{100, 100, 100, 0}, kConnectionTestMessage)};
}

SpeechRequest voiceTestRequest(const SpeechEndpoint& endpoint, const VoiceParams& voice) {
    return {endpoint, speechRequestBytes(voice, kVoiceTestMessage)};
}

}  // namespace ruv
