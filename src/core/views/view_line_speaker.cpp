#include "core/views/view_line_speaker.h"

#include <algorithm>
#include <array>

#include "core/lines/chat_format.h"

namespace ruv {
namespace {

// The colours of the channels whose lines have a speaker.
constexpr std::array kChatColours{colours::kOpenGreen, colours::kOpenWhite, colours::kTeam,
                                  colours::kClub,      colours::kWhis,      colours::kShout};

bool mayHaveSpeaker(ChatChannel view, Colour colour) {
    switch (view) {
        case ChatChannel::Normal:  // chat lines only
            return true;
        case ChatChannel::Original:
        case ChatChannel::NG:
            return std::find(kChatColours.begin(), kChatColours.end(), colour) !=
                   kChatColours.end();
        default:
            return isChatChannel(view);
    }
}

}  // namespace

std::optional<std::string> speakerOfViewLine(ChatChannel view, std::string_view display,
                                             Colour colour) {
    if (!mayHaveSpeaker(view, colour)) {
        return std::nullopt;
    }
    const std::optional<std::string_view> name = namedSpeaker(bodyOfDisplay(display));
    if (!name || name->empty()) {
        return std::nullopt;
    }
    return std::string(*name);
}

}  // namespace ruv
