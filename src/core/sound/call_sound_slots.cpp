#include "core/sound/call_sound_slots.h"

#include <stdexcept>

#include "core/sound/call_sound_texts.h"

namespace ruv {

CallSoundSlots::CallSoundSlots(const std::array<MediaPlayer*, kCallSoundSlotCount>& players,
                               CallSoundPaths& paths)
    : paths_(paths) {
    for (std::size_t i = 0; i < slots_.size(); ++i) {
        slots_[i].player = players[i];
    }
}

std::optional<CallSoundOpenFailure> CallSoundSlots::RestoreCallSounds(
    const CallSoundPaths& paths, SoundNotices& notices, platform::ErrorLog& errors,
    const platform::Clock& clock) {
    const auto failure = ApplyPaths(paths);
    if (failure) {
        notices.notify(call_sound_texts::kRestoreFailedMessage);
        platform::reportFailure(errors, clock, call_sound_texts::kRestoreFailedLogText);
    }
    return failure;
}

std::optional<CallSoundOpenFailure> CallSoundSlots::ApplyPaths(const CallSoundPaths& paths) {
    CloseCallSounds();
    paths_ = paths;
    return openInOrder();
}

std::optional<CallSoundOpenFailure> CallSoundSlots::openInOrder() {
    for (std::size_t i = 0; i < slots_.size(); ++i) {
        CallSoundSlot& slot = slots_[i];
        if (paths_[i].empty()) {
            continue;
        }
        const MediaOpenResult result = slot.player->open(paths_[i]);
        if (result != MediaOpenResult::Opened) {
            return CallSoundOpenFailure{kCallSoundSlots[i], result};
        }
        slot.open = true;
    }
    return std::nullopt;
}

bool CallSoundSlots::HasCallSound(ChatChannel slot) const {
    const CallSoundSlot* found = findSlot(slot);
    return found != nullptr && found->open;
}

void CallSoundSlots::PlayCallSound(ChatChannel slot) {
    if (!HasCallSound(slot)) {
        return;
    }
    // Playback errors after a successful open are not reported.
    MediaPlayer& player = *slotOf(slot).player;
    player.stop();
    player.seekToStart();
    player.play();
}

void CallSoundSlots::CloseCallSounds() {
    for (CallSoundSlot& slot : slots_) {
        slot.player->close();
        slot.open = false;
    }
}

void CallSoundSlots::setPath(ChatChannel slot, std::string_view cp932Path) {
    paths_[indexOf(slot)] = std::string(cp932Path);
}

const std::string& CallSoundSlots::path(ChatChannel slot) const {
    return paths_[indexOf(slot)];
}

CallSoundSlot& CallSoundSlots::slotOf(ChatChannel slot) {
    return slots_[indexOf(slot)];
}

const CallSoundSlot* CallSoundSlots::findSlot(ChatChannel slot) const {
    const auto index = callSoundIndex(slot);
    return index ? &slots_[*index] : nullptr;
}

std::size_t CallSoundSlots::indexOf(ChatChannel slot) {
    const auto index = callSoundIndex(slot);
    if (!index) {
        throw std::invalid_argument("channel without a call sound");
    }
    return *index;
}

}  // namespace ruv
