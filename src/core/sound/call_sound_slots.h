#pragma once
// The call-sound slots: a path and an open player per slot. Routing asks them
// through the CallSounds port; the dialog and start-up fill them.

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "core/lines/route_ports.h"
#include "core/platform/clock.h"
#include "core/platform/error_log.h"
#include "core/sound/call_sound_slot_ids.h"
#include "core/sound/media_player.h"

namespace ruv {

// Message boxes the call sounds show (CP932 text).
class SoundNotices {
  public:
    virtual ~SoundNotices() = default;
    virtual void notify(std::string_view cp932Text) = 0;
};

struct CallSoundSlot {
    MediaPlayer* player = nullptr;
    bool open = false;  // the player holds the path's file
};

// Where opening the slots stopped.
struct CallSoundOpenFailure {
    ChatChannel slot;
    MediaOpenResult result;
};

class CallSoundSlots final : public CallSounds {
  public:
    // One player per slot, in slot order; they and the paths, which the slots
    // read and write in place, must outlive this object.
    CallSoundSlots(const std::array<MediaPlayer*, kCallSoundSlotCount>& players,
                   CallSoundPaths& paths);

    // Start-up: gives each slot its path and opens them in slot order. The
    // first failure shows the start-up notice, logs it and leaves the later
    // slots closed; start-up goes on.
    std::optional<CallSoundOpenFailure> RestoreCallSounds(const CallSoundPaths& paths,
                                                          SoundNotices& notices,
                                                          platform::ErrorLog& errors,
                                                          const platform::Clock& clock);

    // The dialog's "OK": closes every player, gives every slot its path (empty
    // ones included) and opens them in slot order, stopping at the first
    // failure, which is returned for the caller to show.
    std::optional<CallSoundOpenFailure> ApplyPaths(const CallSoundPaths& paths);

    bool HasCallSound(ChatChannel slot) const override;
    // Stops, rewinds and plays: a sound still playing restarts from its start.
    void PlayCallSound(ChatChannel slot) override;
    // Closes all seven players; the paths stay for saving.
    void CloseCallSounds();

    // Sets a slot's path without opening it (settings rows read one by one
    // before RestoreCallSounds).
    void setPath(ChatChannel slot, std::string_view cp932Path);
    const std::string& path(ChatChannel slot) const;
    const CallSoundPaths& paths() const { return paths_; }

  private:
    std::optional<CallSoundOpenFailure> openInOrder();
    CallSoundSlot& slotOf(ChatChannel slot);
    const CallSoundSlot* findSlot(ChatChannel slot) const;
    static std::size_t indexOf(ChatChannel slot);

    std::array<CallSoundSlot, kCallSoundSlotCount> slots_;
    CallSoundPaths& paths_;
};

}  // namespace ruv
