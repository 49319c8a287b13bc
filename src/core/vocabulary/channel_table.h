#pragma once
// The channels, one row each: settings key, tab and its caption, view and the
// view's default colour, mix box, call-sound slot and whether the tab counts
// unread lines. Every mapping from a channel to one of these reads this table.

#include <algorithm>
#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

#include "core/text/fixed_text.h"
#include "core/vocabulary/channel.h"
#include "core/vocabulary/tab.h"

namespace ruv {

// The seven check boxes of the オリジナル tab that pick the mixed channels.
enum class MixBox {
    Open,    // ChatLogCheckBox02 一般
    Team,    // ChatLogCheckBox03 チーム
    Club,    // ChatLogCheckBox04 クラブ
    Whis,    // ChatLogCheckBox05 耳打ち
    Shout,   // ChatLogCheckBox06 叫び
    Battle,  // ChatLogCheckBox09 戦闘情報
    System,  // ChatLogCheckBox10 システム
};
inline constexpr int kMixBoxCount = 7;

// Chat: the channel's lines have a speaker and are shown in the 通常 view too.
enum class ChannelKind { Chat, Other };
enum class HasView { No, Yes };
enum class CountsUnread { No, Yes };

struct ChannelRow {
    ChatChannel channel;
    std::string_view key;
    Tab tab;
    const FixedText* caption;
    ChannelKind kind;
    HasView view;
    // Empty: the system's window colour (white in the default scheme).
    std::optional<Colour> viewColour;
    std::optional<MixBox> mixBox;
    // The slot's number, 1 to 6 and 9, which also numbers its keyword row.
    std::optional<int> callSoundSlot;
    CountsUnread unread;
};

namespace channel_captions {
inline const FixedText kNormal{"通常"};
inline const FixedText kOpen{"一般"};
inline const FixedText kTeam{"チーム"};
inline const FixedText kClub{"クラブ"};
inline const FixedText kWhis{"耳打ち"};
inline const FixedText kShout{"叫び"};
inline const FixedText kOriginal{"オリジナル"};
inline const FixedText kNg{"NGフィルター"};
inline const FixedText kBattle{"戦闘情報"};
inline const FixedText kSystem{"システム"};
inline const FixedText kExpMonitor{"経験値情報"};
}  // namespace channel_captions

// In ChatChannel order.
inline constexpr std::array<ChannelRow, kChannelCount> kChannelTable{{
    {ChatChannel::Normal, "Normal", Tab::Normal, &channel_captions::kNormal, ChannelKind::Other,
     HasView::Yes, std::nullopt, std::nullopt, 1, CountsUnread::No},
    {ChatChannel::Open, "Open", Tab::Open, &channel_captions::kOpen, ChannelKind::Chat,
     HasView::Yes, std::nullopt, MixBox::Open, 2, CountsUnread::Yes},
    {ChatChannel::Team, "Team", Tab::Team, &channel_captions::kTeam, ChannelKind::Chat,
     HasView::Yes, colours::kTeam, MixBox::Team, 3, CountsUnread::Yes},
    {ChatChannel::Club, "Club", Tab::Club, &channel_captions::kClub, ChannelKind::Chat,
     HasView::Yes, colours::kClub, MixBox::Club, 4, CountsUnread::Yes},
    {ChatChannel::Whis, "Whis", Tab::Whis, &channel_captions::kWhis, ChannelKind::Chat,
     HasView::Yes, colours::kWhis, MixBox::Whis, 5, CountsUnread::Yes},
    {ChatChannel::Shout, "Shout", Tab::Shout, &channel_captions::kShout, ChannelKind::Chat,
     HasView::Yes, colours::kShout, MixBox::Shout, 6, CountsUnread::Yes},
    {ChatChannel::Original, "Original", Tab::Original, &channel_captions::kOriginal,
     ChannelKind::Other, HasView::Yes, std::nullopt, std::nullopt, 9, CountsUnread::Yes},
    {ChatChannel::NG, "NG", Tab::NG, &channel_captions::kNg, ChannelKind::Other, HasView::Yes,
     std::nullopt, std::nullopt, std::nullopt, CountsUnread::Yes},
    {ChatChannel::Battle, "Battle", Tab::Battle, &channel_captions::kBattle, ChannelKind::Other,
     HasView::Yes, colours::kBattle, MixBox::Battle, std::nullopt, CountsUnread::No},
    {ChatChannel::System, "System", Tab::System, &channel_captions::kSystem, ChannelKind::Other,
     HasView::Yes, colours::kSystemRed, MixBox::System, std::nullopt, CountsUnread::No},
    {ChatChannel::ExpMonitor, "ExpMonitor", Tab::ExpMonitor, &channel_captions::kExpMonitor,
     ChannelKind::Other, HasView::No, std::nullopt, std::nullopt, std::nullopt, CountsUnread::No},
}};

constexpr const ChannelRow& channelRow(ChatChannel channel) noexcept {
    return kChannelTable[static_cast<std::size_t>(channel)];
}

constexpr std::optional<Colour> viewDefaultColour(ChatChannel view) noexcept {
    return channelRow(view).viewColour;
}

// The channel each box mixes in, by MixBox; its box is ChatLogCheckBox0N with N
// the channel's tab page plus one.
inline constexpr std::array<ChatChannel, kMixBoxCount> kMixChannels = [] {
    std::array<ChatChannel, kMixBoxCount> channels{};
    for (const ChannelRow& row : kChannelTable) {
        if (row.mixBox) {
            channels[static_cast<std::size_t>(*row.mixBox)] = row.channel;
        }
    }
    return channels;
}();

inline constexpr std::size_t kCallSoundSlotCount = static_cast<std::size_t>(std::ranges::count_if(
    kChannelTable, [](const ChannelRow& row) { return row.callSoundSlot.has_value(); }));

// The channels with a call sound, in slot order.
inline constexpr std::array<ChatChannel, kCallSoundSlotCount> kCallSoundSlots = [] {
    std::array<ChatChannel, kCallSoundSlotCount> withSound{};
    std::size_t next = 0;
    for (const ChannelRow& row : kChannelTable) {
        if (row.callSoundSlot) {
            withSound[next++] = row.channel;
        }
    }
    return withSound;
}();

namespace channel_table_checks {

constexpr bool rowsFollowChannelOrder() {
    for (std::size_t i = 0; i < kChannelTable.size(); ++i) {
        if (static_cast<std::size_t>(kChannelTable[i].channel) != i) {
            return false;
        }
    }
    return true;
}

constexpr bool everyMixBoxHasOneChannel() {
    std::array<int, kMixBoxCount> uses{};
    for (const ChannelRow& row : kChannelTable) {
        if (row.mixBox) {
            ++uses[static_cast<std::size_t>(*row.mixBox)];
        }
    }
    return std::ranges::all_of(uses, [](int count) { return count == 1; });
}

// Slot order is table order, so the numbers must rise down the table.
constexpr bool slotNumbersRise() {
    int last = 0;
    for (const ChannelRow& row : kChannelTable) {
        if (row.callSoundSlot) {
            if (*row.callSoundSlot <= last) {
                return false;
            }
            last = *row.callSoundSlot;
        }
    }
    return true;
}

}  // namespace channel_table_checks

static_assert(channel_table_checks::rowsFollowChannelOrder());
static_assert(channel_table_checks::everyMixBoxHasOneChannel());
static_assert(channel_table_checks::slotNumbersRise());

}  // namespace ruv
