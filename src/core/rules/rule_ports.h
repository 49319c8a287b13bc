#pragma once
// What rules ask of the rest of the program when they fire. The shell plays
// sounds; the core speaks through the speech settings and voices; the taskbar
// alert is routing's Attention port.

#include <string_view>

#include "core/vocabulary/speech_priority.h"

namespace ruv {

// Plays a rule's sound file. The shell implements it with its players.
class RuleSounds {
  public:
    virtual ~RuleSounds() = default;
    // utf8Path: as the rules file names it; a file that cannot be played is
    // the player's to report.
    virtual void playRuleSound(std::string_view utf8Path) = 0;
};

// Speaks a rule's phrase. SpeechBridge implements it.
class RuleSpeech {
  public:
    virtual ~RuleSpeech() = default;
    // phrase: CP932, placeholders replaced. speaker: CP932, the line's
    // speaker (empty when none), whose per-character voice is used when
    // there is one. priority: High for a rule marked 優先, or for a phrase
    // spoken instead of a whisper.
    virtual void speakRulePhrase(std::string_view phrase, std::string_view speaker,
                                 SpeechPriority priority) = 0;
};

}  // namespace ruv
