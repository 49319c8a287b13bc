#pragma once
// Ports that forward to a subsystem once it is connected and do nothing
// before: routing's port to speech, whose side is made after routing, and
// attaching's port to the EXP monitor, which tests can point elsewhere.

#include "core/log/log_session_ports.h"
#include "core/log/route_ports.h"

namespace ruv {

class ForwardingSpeechOut final : public SpeechOut {
  public:
    void connectTo(SpeechOut* target) { target_ = target; }
    void SpeakLine(std::string_view text, SpeakerLine speaker) override {
        if (target_ != nullptr) {
            target_->SpeakLine(text, speaker);
        }
    }

  private:
    SpeechOut* target_ = nullptr;
};

class ForwardingExpAttachEvents final : public ExpAttachEvents {
  public:
    void connectTo(ExpAttachEvents* target) { target_ = target; }
    void ResetForAttach() override {
        if (target_ != nullptr) {
            target_->ResetForAttach();
        }
    }
    void AddDayGain(std::int64_t amount) override {
        if (target_ != nullptr) {
            target_->AddDayGain(amount);
        }
    }
    void SetAttachedLogPath(std::string_view cp932Path) override {
        if (target_ != nullptr) {
            target_->SetAttachedLogPath(cp932Path);
        }
    }

  private:
    ExpAttachEvents* target_ = nullptr;
};

}  // namespace ruv
