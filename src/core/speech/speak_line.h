#pragma once
// How one chat line becomes one speech request.

#include <string_view>

#include "core/speech/speech_request.h"
#include "core/speech/speech_settings.h"
#include "core/speech/voice_list.h"

namespace ruv {

// Whether the line is a speaker line (一般, チーム, クラブ, 耳打ち), whose name
// may be left unread. 叫び and all other lines are not.
enum class HasSpeaker { No, Yes };

// The request for one line: voice (continuation lines keep lastVoice), read
// mode, character limit and name rule. Updates lastVoice as a full line does.
SpeechRequest composeSpeechRequest(std::string_view text, HasSpeaker hasSpeaker,
                                   const SpeechSettings& settings, const VoiceList& voices,
                                   VoiceParams& lastVoice);

// What routing calls for every line that enters the オリジナル view while
// "毒電波送信" is ticked.
class SpeechPort {
  public:
    virtual ~SpeechPort() = default;
    virtual void SpeakLine(std::string_view speechText, HasSpeaker hasSpeaker) = 0;
};

// The speech side of the main window: the stored settings, the voice list and
// the voice of the last full line, handing each request to a sink.
class SpeechBridge final : public SpeechPort {
  public:
    explicit SpeechBridge(SpeechSink& sink) : sink_(sink) {}

    void setSettings(SpeechSettings settings) { settings_ = std::move(settings); }
    void setVoices(VoiceList voices) { voices_ = std::move(voices); }
    const SpeechSettings& settings() const noexcept { return settings_; }
    const VoiceList& voices() const noexcept { return voices_; }
    const VoiceParams& LastVoice() const noexcept { return lastVoice_; }

    void SpeakLine(std::string_view speechText, HasSpeaker hasSpeaker) override;

  private:
    SpeechSink& sink_;
    SpeechSettings settings_;
    VoiceList voices_;
    VoiceParams lastVoice_ = kSilentVoice;
};

}  // namespace ruv
