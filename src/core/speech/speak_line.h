#pragma once
// How one chat line becomes one speech request.

#include <string_view>

#include "core/lines/route_ports.h"
#include "core/rules/rule_ports.h"
#include "core/speech/speech_request.h"
#include "core/speech/speech_settings.h"
#include "core/speech/voice_list.h"

namespace ruv {

// The request for a rule's phrase (CP932): the voice of the speaker's
// profile when there is one, the global voice otherwise; the character limit.
SpeechRequest composePhraseRequest(std::string_view phrase, std::string_view speaker,
                                   const SpeechSettings& settings, const VoiceList& voices);

// The request for one line: voice (continuation lines keep lastVoice), read
// mode, character limit and name rule. Updates lastVoice as a full line does.
SpeechRequest composeSpeechRequest(std::string_view text, SpeakerLine speaker,
                                   const SpeechSettings& settings, const VoiceList& voices,
                                   VoiceParams& lastVoice);

// Routing's speech port: every line that enters the オリジナル view while
// "毒電波送信" is ticked becomes one request to the sink, spoken with the
// settings in force, the per-character voices and the voice of the last full
// line.
//
// It speaks notification rules' phrases too: with the speaker's
// per-character voice when there is one, the global voice otherwise, and the
// settings' character limit.
//
// Each request goes with its priority and its speaker (the name before
// " : ", empty when none), by which the speech queue orders and limits it.
class SpeechBridge final : public SpeechOut, public RuleSpeech {
  public:
    // The voices are read in place; they must outlive the bridge.
    SpeechBridge(SpeechSink& sink, const VoiceList& voices) : sink_(sink), voices_(voices) {}

    void setSettings(SpeechSettings settings) { settings_ = std::move(settings); }
    const SpeechSettings& settings() const noexcept { return settings_; }
    const VoiceList& voices() const noexcept { return voices_; }
    const VoiceParams& LastVoice() const noexcept { return lastVoice_; }

    void SpeakLine(std::string_view speechText, SpeakerLine speaker,
                   SpeechPriority priority) override;
    // A line of normal priority.
    void SpeakLine(std::string_view speechText, SpeakerLine speaker) {
        SpeakLine(speechText, speaker, SpeechPriority::Normal);
    }
    void speakRulePhrase(std::string_view phrase, std::string_view speaker,
                         SpeechPriority priority) override;

  private:
    SpeechSink& sink_;
    SpeechSettings settings_;
    const VoiceList& voices_;
    VoiceParams lastVoice_ = kSilentVoice;
};

}  // namespace ruv
