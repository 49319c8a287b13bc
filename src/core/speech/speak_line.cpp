#include "core/speech/speak_line.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>

#include "core/text/sjis.h"

namespace ruv {

namespace {

constexpr std::string_view kNameSeparator = " : ";
// Lines shorter than this without a name separator continue the previous message.
constexpr std::size_t kContinuationBelowBytes = 17;
// Room for the name when it is read.
constexpr std::int64_t kNameAllowanceBytes = 20;

bool profileMatches(std::string_view text, const VoiceProfile& profile) {
    return sjis::contains(text, profile.Name + std::string(kNameSeparator));
}

}  // namespace

SpeechRequest composeSpeechRequest(std::string_view text, SpeakerLine speaker,
                                   const SpeechSettings& settings, const VoiceList& voices,
                                   VoiceParams& lastVoice) {
    VoiceParams voice = GlobalVoice(settings);
    std::string_view spoken = text;

    const bool continuation =
        text.size() < kContinuationBelowBytes && !sjis::contains(text, kNameSeparator);
    if (continuation) {
        voice = lastVoice;
    } else {
        lastVoice = voice;

        const ReadMode mode = settings.readMode;
        if (mode != ReadMode::AllWithoutProfiles) {
            bool matched = false;
            for (const VoiceProfile& profile : voices.Profiles()) {
                if (!profileMatches(text, profile)) {
                    continue;
                }
                matched = true;
                if (mode == ReadMode::AllWithProfiles || mode == ReadMode::OnlyProfiled) {
                    voice = profile.params();
                    lastVoice = voice;
                }
            }
            if ((mode == ReadMode::OnlyProfiled && !matched) ||
                (mode == ReadMode::AllButProfiled && matched)) {
                spoken = {};
            }
        }
    }

    std::int64_t limit = static_cast<std::int64_t>(settings.limitMoji) * 2;
    if (speaker == SpeakerLine::Yes && settings.names == NameReading::NotRead) {
        const std::size_t separator = sjis::find(spoken, kNameSeparator);
        if (separator != sjis::npos) {
            spoken.remove_prefix(separator + kNameSeparator.size());
        }
    } else {
        limit += kNameAllowanceBytes;
    }
    // A continuation is spoken whole, whatever the read mode; only the limit applies.
    if (continuation) {
        spoken = text;
    }

    SpeechRequest request{settings.endpoint, {}};
    if (!spoken.empty()) {
        const auto n = static_cast<std::size_t>(
            std::clamp<std::int64_t>(limit, 0, static_cast<std::int64_t>(spoken.size())));
        request.bytes = speechRequestBytes(voice, spoken.substr(0, n));
    }
    return request;
}

SpeechRequest composePhraseRequest(std::string_view phrase, std::string_view speaker,
                                   const SpeechSettings& settings, const VoiceList& voices) {
    VoiceParams voice = GlobalVoice(settings);
    if (!speaker.empty()) {
        for (const VoiceProfile& profile : voices.Profiles()) {
            if (profile.Name == speaker) {
                voice = profile.params();
                break;
            }
        }
    }
    const auto limit = static_cast<std::size_t>(std::max(0, settings.limitMoji) * 2);
    SpeechRequest request{settings.endpoint, {}};
    if (!phrase.empty()) {
        request.bytes = speechRequestBytes(voice, phrase.substr(0, limit));
    }
    return request;
}

void SpeechBridge::speakRulePhrase(std::string_view phrase, std::string_view speaker,
                                   SpeechPriority priority) {
    sink_.Send(composePhraseRequest(phrase, speaker, settings_, voices_),
               SpeechLineTag{priority, std::string(speaker)});
}

void SpeechBridge::SpeakLine(std::string_view speechText, SpeakerLine speaker,
                             SpeechPriority priority) {
    const std::size_t separator = sjis::find(speechText, kNameSeparator);
    const std::string_view name =
        separator == sjis::npos ? std::string_view() : speechText.substr(0, separator);
    sink_.Send(composeSpeechRequest(speechText, speaker, settings_, voices_, lastVoice_),
               SpeechLineTag{priority, std::string(name)});
}

}  // namespace ruv
