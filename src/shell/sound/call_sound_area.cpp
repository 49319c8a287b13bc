#include "shell/sound/call_sound_area.h"

#include <stdexcept>

#include "core/sound/call_sound_slot_ids.h"

namespace ruv {

std::array<MediaPlayer*, kCallSoundSlotCount> CallSoundArea::players() {
    std::array<MediaPlayer*, kCallSoundSlotCount> result{};
    for (std::size_t i = 0; i < players_.size(); ++i) {
        result[i] = &players_[i];
    }
    return result;
}

const CallSoundPlayer& CallSoundArea::player(ChatChannel slot) const {
    const auto index = callSoundIndex(slot);
    if (!index) {
        throw std::invalid_argument("channel without a call sound");
    }
    return players_[*index];
}

}  // namespace ruv
