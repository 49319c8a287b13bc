#include "core/sound/call_sound_slot_ids.h"

#include "core/sound/call_sound_texts.h"

namespace ruv {

namespace {

using config::ConfigRow;

// SoundPathMemo0N is row 24 + N.
constexpr int kRowBeforeFirstSlot = config::rowNumber(ConfigRow::SoundPathMemo01) - 1;

}  // namespace

std::optional<std::size_t> callSoundIndex(ChatChannel channel) noexcept {
    for (std::size_t i = 0; i < kCallSoundSlots.size(); ++i) {
        if (kCallSoundSlots[i] == channel) {
            return i;
        }
    }
    return std::nullopt;
}

int callSoundSlotNumber(ChatChannel slot) noexcept {
    return channelRow(slot).callSoundSlot.value_or(0);
}

std::optional<ChatChannel> callSoundSlotOfNumber(int number) noexcept {
    for (const ChannelRow& row : kChannelTable) {
        if (row.callSoundSlot == number) {
            return row.channel;
        }
    }
    return std::nullopt;
}

std::string_view callSoundLabel(ChatChannel slot) noexcept {
    switch (slot) {
        case ChatChannel::Normal:
            return call_sound_texts::kLabelNormal;
        case ChatChannel::Open:
            return call_sound_texts::kLabelOpen;
        case ChatChannel::Team:
            return call_sound_texts::kLabelTeam;
        case ChatChannel::Club:
            return call_sound_texts::kLabelClub;
        case ChatChannel::Whis:
            return call_sound_texts::kLabelWhis;
        case ChatChannel::Shout:
            return call_sound_texts::kLabelShout;
        case ChatChannel::Original:
            return call_sound_texts::kLabelOriginal;
        default:
            return {};
    }
}

config::ConfigRow soundPathRow(ChatChannel slot) noexcept {
    const int number = callSoundSlotNumber(slot);
    return number != 0 ? config::configRow(kRowBeforeFirstSlot + number) : ConfigRow{0};
}

std::optional<ChatChannel> callSoundSlotOfRow(config::ConfigRow row) noexcept {
    return callSoundSlotOfNumber(config::rowNumber(row) - kRowBeforeFirstSlot);
}

}  // namespace ruv
