// The channel table read through every mapping the program uses: each
// mapping agrees with its inverse and no two channels share a tab, a caption,
// a mix box, a call-sound slot or a settings row.

#include "core/vocabulary/channel_table.h"
#include "core/views/tab_rules.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "core/sound/call_sound_slot_ids.h"
#include "core/views/ng_lists.h"

namespace ruv {
namespace {

ChatChannel channelAt(std::size_t index) {
    return static_cast<ChatChannel>(index);
}

TEST(ChannelTable, EveryChannelHasItsOwnTabKeyAndCaption) {
    std::set<Tab> tabs;
    std::set<std::string> keys;
    for (std::size_t i = 0; i < kChannelCount; ++i) {
        const ChatChannel channel = channelAt(i);
        const Tab tab = tabOf(channel);
        EXPECT_EQ(channelOf(tab), channel) << i;
        EXPECT_TRUE(tabs.insert(tab).second) << i;
        EXPECT_TRUE(keys.insert(std::string(settingsKey(channel))).second) << i;
        EXPECT_FALSE(settingsKey(channel).empty()) << i;
        EXPECT_EQ(ViewOfTab(pageIndex(tab)).has_value(), channelRow(channel).view == HasView::Yes)
            << i;
    }
    std::set<std::string> captions;
    for (int page = 0; page < kTabCount; ++page) {
        const Tab tab = *tabAtIndex(page);
        if (const auto channel = channelOf(tab)) {
            EXPECT_EQ(tabOf(*channel), tab) << page;
        }
        EXPECT_FALSE(plainCaption(tab).empty()) << page;
        EXPECT_TRUE(captions.insert(std::string(plainCaption(tab))).second) << page;
    }
}

TEST(ChannelTable, MixBoxesNameTheirChannelsAndNoOtherChannelMixes) {
    std::set<ChatChannel> mixed(kMixChannels.begin(), kMixChannels.end());
    EXPECT_EQ(mixed.size(), kMixChannels.size());
    for (std::size_t box = 0; box < kMixChannels.size(); ++box) {
        EXPECT_EQ(channelRow(kMixChannels[box]).mixBox, static_cast<MixBox>(box)) << box;
    }
    for (std::size_t i = 0; i < kChannelCount; ++i) {
        EXPECT_EQ(channelRow(channelAt(i)).mixBox.has_value(), mixed.contains(channelAt(i))) << i;
    }
}

TEST(ChannelTable, CallSoundSlotsLeadBackThroughNumberRowAndIndex) {
    std::set<config::ConfigRow> rows;
    for (std::size_t i = 0; i < kChannelCount; ++i) {
        const ChatChannel channel = channelAt(i);
        const auto index = callSoundIndex(channel);
        if (!index) {
            EXPECT_EQ(callSoundSlotNumber(channel), 0) << i;
            EXPECT_TRUE(callSoundLabel(channel).empty()) << i;
            continue;
        }
        EXPECT_EQ(kCallSoundSlots[*index], channel) << i;
        EXPECT_EQ(callSoundSlotOfNumber(callSoundSlotNumber(channel)), channel) << i;
        EXPECT_EQ(callSoundSlotOfRow(soundPathRow(channel)), channel) << i;
        EXPECT_TRUE(rows.insert(soundPathRow(channel)).second) << i;
        EXPECT_FALSE(callSoundLabel(channel).empty()) << i;
    }
    EXPECT_EQ(rows.size(), kCallSoundSlots.size());
}

}  // namespace
}  // namespace ruv
