#include "core/sound/call_sound_slot_ids.h"

#include "core/sound/call_sound_texts.h"

namespace ruv {

namespace {

using config::ConfigRow;

constexpr std::array<int, kCallSoundSlotCount> kNumbers{1, 2, 3, 4, 5, 6, 9};
constexpr std::array<ConfigRow, kCallSoundSlotCount> kRows{
    ConfigRow::SoundPathMemo01, ConfigRow::SoundPathMemo02, ConfigRow::SoundPathMemo03,
    ConfigRow::SoundPathMemo04, ConfigRow::SoundPathMemo05, ConfigRow::SoundPathMemo06,
    ConfigRow::SoundPathMemo09,
};
constexpr std::array<const FixedText*, kCallSoundSlotCount> kLabels{
    &call_sound_texts::kLabelNormal,   &call_sound_texts::kLabelOpen,
    &call_sound_texts::kLabelTeam,     &call_sound_texts::kLabelClub,
    &call_sound_texts::kLabelWhis,     &call_sound_texts::kLabelShout,
    &call_sound_texts::kLabelOriginal,
};

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
    const auto index = callSoundIndex(slot);
    return index ? kNumbers[*index] : 0;
}

std::optional<ChatChannel> callSoundSlotOfNumber(int number) noexcept {
    for (std::size_t i = 0; i < kNumbers.size(); ++i) {
        if (kNumbers[i] == number) {
            return kCallSoundSlots[i];
        }
    }
    return std::nullopt;
}

std::string_view callSoundLabel(ChatChannel slot) noexcept {
    const auto index = callSoundIndex(slot);
    return index ? kLabels[*index]->cp932() : std::string_view{};
}

config::ConfigRow soundPathRow(ChatChannel slot) noexcept {
    const auto index = callSoundIndex(slot);
    return index ? kRows[*index] : ConfigRow{0};
}

std::optional<ChatChannel> callSoundSlotOfRow(config::ConfigRow row) noexcept {
    for (std::size_t i = 0; i < kRows.size(); ++i) {
        if (kRows[i] == row) {
            return kCallSoundSlots[i];
        }
    }
    return std::nullopt;
}

}  // namespace ruv
