#pragma once
// A timer's warning and end carried out as the rule's own actions are: its
// sound, its phrase (silenced by the one speech switch) and the alert.

#include "core/lines/route_ports.h"
#include "core/log/route_settings.h"
#include "core/rules/live_timers.h"
#include "core/rules/rule_ports.h"

namespace ruv {

class TimerAlarmRinger final : public TimerAlarms {
  public:
    TimerAlarmRinger(RuleSounds& sounds, RuleSpeech& speech, Attention& attention,
                     const RouteSettings& settings) noexcept
        : sounds_(sounds), speech_(speech), attention_(attention), settings_(settings) {}

    void ringTimer(const TimerAlarm& alarm) override {
        if (!alarm.sound.empty()) {
            sounds_.playRuleSound(alarm.sound);
        }
        if (!alarm.phrase.empty() && settings_.speechSend) {
            // A warning is worth hearing only now: it goes before waiting lines.
            speech_.speakRulePhrase(alarm.phrase, alarm.speaker, SpeechPriority::High);
        }
        if (alarm.alert) {
            attention_.requestAttention();
        }
    }

  private:
    RuleSounds& sounds_;
    RuleSpeech& speech_;
    Attention& attention_;
    const RouteSettings& settings_;
};

}  // namespace ruv
