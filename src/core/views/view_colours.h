#pragma once
// The default text colour of each channel view: the colour its channel has in
// the chat log, or the system's window colour for the views that mix channels.

#include <optional>

#include "core/log/chat_format.h"

namespace ruv {

// Empty: the system's window colour (white in the default scheme).
constexpr std::optional<Colour> viewDefaultColour(ChatChannel view) noexcept {
    switch (view) {
        case ChatChannel::Team:
            return colours::kTeam;
        case ChatChannel::Club:
            return colours::kClub;
        case ChatChannel::Whis:
            return colours::kWhis;
        case ChatChannel::Shout:
            return colours::kShout;
        case ChatChannel::Battle:
            return colours::kBattle;
        case ChatChannel::System:
            return colours::kSystemRed;
        default:
            return std::nullopt;
    }
}

}  // namespace ruv
