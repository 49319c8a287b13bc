#pragma once
// The seven call-sound players and their slots, answering routing's port.

#include <array>

#include "call_sound_player.h"  // the player of the platform built for
#include "core/sound/call_sound_slots.h"

namespace ruv {

class CallSoundArea {
  public:
    CallSoundArea();
    ~CallSoundArea();
    CallSoundArea(const CallSoundArea&) = delete;
    CallSoundArea& operator=(const CallSoundArea&) = delete;

    CallSoundSlots& soundSlots() { return slots_; }
    const CallSoundSlots& soundSlots() const { return slots_; }
    // MediaPlayer01 ... MediaPlayer09.
    const CallSoundPlayer& player(ChatChannel slot) const;

  private:
    std::array<CallSoundPlayer, kCallSoundSlotCount> players_;
    CallSoundSlots slots_;
};

}  // namespace ruv
