#pragma once
// The seven call-sound slots, named by channel: Normal to Shout are slots 01
// to 06, Original is slot 09 (kCallSoundSlots, in slot order).

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "core/config/config_row.h"
#include "core/lines/chat_format.h"
#include "core/vocabulary/channel_table.h"

namespace ruv {

// One path per slot, in slot order; CP932 text, empty for no sound.
using CallSoundPaths = std::array<std::string, kCallSoundSlotCount>;

// Position in slot order; empty for a channel without a call sound.
std::optional<std::size_t> callSoundIndex(ChatChannel channel) noexcept;
// The slot's number: 1 to 6, and 9 for Original.
int callSoundSlotNumber(ChatChannel slot) noexcept;
// The slot of a browse button's tag (1 to 6, 9).
std::optional<ChatChannel> callSoundSlotOfNumber(int number) noexcept;
// The dialog label of a slot ("通常" ... "オリジナル"), CP932.
std::string_view callSoundLabel(ChatChannel slot) noexcept;

// The settings row of a slot's path (SoundPathMemo01 ... SoundPathMemo09).
config::ConfigRow soundPathRow(ChatChannel slot) noexcept;
// The slot whose path a settings row holds; empty for other rows.
std::optional<ChatChannel> callSoundSlotOfRow(config::ConfigRow row) noexcept;

}  // namespace ruv
