#include "core/search/search_channel_name.h"

#include "core/search/search_query.h"
#include "core/vocabulary/channel_table.h"

namespace ruv {

std::string_view searchChannelName(ChatChannel channel, ChannelNaming naming) {
    return naming == ChannelNaming::SettingsKey ? settingsKey(channel)
                                                : channelRow(channel).caption->cp932();
}

std::optional<ChatChannel> searchChannelNamed(std::string_view utf8Name) {
    for (const ChatChannel channel : SearchChannels::kPickable) {
        if (settingsKey(channel) == utf8Name || channelRow(channel).caption->utf8() == utf8Name) {
            return channel;
        }
    }
    return std::nullopt;
}

std::string searchChannelNameList() {
    std::string list;
    for (const ChatChannel channel : SearchChannels::kPickable) {
        if (!list.empty()) {
            list += ", ";
        }
        list += settingsKey(channel);
        list += " (";
        list += channelRow(channel).caption->utf8();
        list += ')';
    }
    return list;
}

}  // namespace ruv
