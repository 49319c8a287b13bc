#pragma once
// Routing's and attaching's ports to the call sounds, the EXP monitor and
// speech. Each forwards to its subsystem once that is connected and does
// nothing before, so lines route the same whichever subsystems are present.

#include "core/log/log_session_ports.h"
#include "core/log/route_ports.h"

namespace ruv {

class ForwardingCallSounds final : public CallSounds {
  public:
    void connectTo(CallSounds* target) { target_ = target; }
    bool HasCallSound(ChatChannel slot) const override {
        return target_ != nullptr && target_->HasCallSound(slot);
    }
    void PlayCallSound(ChatChannel slot) override {
        if (target_ != nullptr) {
            target_->PlayCallSound(slot);
        }
    }

  private:
    CallSounds* target_ = nullptr;
};

class ForwardingExpEvents final : public ExpEvents {
  public:
    void connectTo(ExpEvents* target) { target_ = target; }
    void StartExpClock() override {
        if (target_ != nullptr) {
            target_->StartExpClock();
        }
    }
    void RecordGain(std::int64_t amount) override {
        if (target_ != nullptr) {
            target_->RecordGain(amount);
        }
    }
    void RecordLevelUp() override {
        if (target_ != nullptr) {
            target_->RecordLevelUp();
        }
    }

  private:
    ExpEvents* target_ = nullptr;
};

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
