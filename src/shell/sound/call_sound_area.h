#pragma once
// The seven call-sound players of the platform built for, which the session's
// call-sound slots open and play.

#include <array>

#include "call_sound_player.h"  // the player of the platform built for
#include "core/sound/media_player.h"
#include "core/vocabulary/channel_table.h"

namespace ruv {

class CallSoundArea {
  public:
    CallSoundArea() = default;
    CallSoundArea(const CallSoundArea&) = delete;
    CallSoundArea& operator=(const CallSoundArea&) = delete;

    // MediaPlayer01 ... MediaPlayer09, in slot order.
    std::array<MediaPlayer*, kCallSoundSlotCount> players();
    const CallSoundPlayer& player(ChatChannel slot) const;

  private:
    std::array<CallSoundPlayer, kCallSoundSlotCount> players_;
};

}  // namespace ruv
