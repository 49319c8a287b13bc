#include "shell/sound/call_sound_area.h"

#include <stdexcept>

namespace ruv {

namespace {

std::array<MediaPlayer*, kCallSoundSlotCount> pointersTo(
    std::array<CallSoundPlayer, kCallSoundSlotCount>& players) {
    std::array<MediaPlayer*, kCallSoundSlotCount> result{};
    for (std::size_t i = 0; i < players.size(); ++i) {
        result[i] = &players[i];
    }
    return result;
}

}  // namespace

CallSoundArea::CallSoundArea() : slots_(pointersTo(players_)) {}

CallSoundArea::~CallSoundArea() {
    slots_.CloseCallSounds();
}

const CallSoundPlayer& CallSoundArea::player(ChatChannel slot) const {
    const auto index = callSoundIndex(slot);
    if (!index) {
        throw std::invalid_argument("channel without a call sound");
    }
    return players_[*index];
}

}  // namespace ruv
