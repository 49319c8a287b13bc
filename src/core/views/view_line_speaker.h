#pragma once
// Who said a line a view shows, for a whisper back in the game.

#include <optional>
#include <string>
#include <string_view>

#include "core/vocabulary/channel.h"

namespace ruv {

// The speaker's name (CP932) of a line of the given view: display is the line
// as shown (time stamp and body), colour its text colour, which tells the
// channel in the views that mix channels. Empty for battle and system lines,
// a chat line without " : " (a continuation) and an empty name.
std::optional<std::string> speakerOfViewLine(ChatChannel view, std::string_view display,
                                             Colour colour);

}  // namespace ruv
