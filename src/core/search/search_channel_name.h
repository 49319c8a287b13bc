#pragma once
// The names of the channels a search can pick: the settings key that scripts
// read (Open, Team, …) and the tab caption the player sees (一般, チーム, …).

#include <optional>
#include <string>
#include <string_view>

#include "core/vocabulary/channel.h"

namespace ruv {

enum class ChannelNaming { SettingsKey, TabCaption };

// CP932: the channel's name.
std::string_view searchChannelName(ChatChannel channel, ChannelNaming naming);

// The pickable channel with this name, by its settings key or its tab caption
// (UTF-8); none for any other name.
std::optional<ChatChannel> searchChannelNamed(std::string_view utf8Name);

// UTF-8: every name searchChannelNamed takes, "Open (一般), Team (チーム), …".
std::string searchChannelNameList();

}  // namespace ruv
