#include "core/rules/notification_rule.h"

#include <array>

#include "core/vocabulary/channel_table.h"

namespace ruv {

namespace {

constexpr std::array<ChatChannel, 7> kRuleChannels{
    ChatChannel::Open,  ChatChannel::Team,   ChatChannel::Club,   ChatChannel::Whis,
    ChatChannel::Shout, ChatChannel::Battle, ChatChannel::System,
};

}  // namespace

bool isRuleChannel(ChatChannel channel) noexcept {
    for (const ChatChannel rule : kRuleChannels) {
        if (rule == channel) {
            return true;
        }
    }
    return false;
}

std::string_view ruleChannelName(ChatChannel channel) {
    return channelRow(channel).caption->utf8();
}

std::optional<ChatChannel> ruleChannelNamed(std::string_view utf8Name) {
    for (const ChatChannel channel : kRuleChannels) {
        if (ruleChannelName(channel) == utf8Name) {
            return channel;
        }
    }
    return std::nullopt;
}

}  // namespace ruv
