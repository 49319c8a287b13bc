#pragma once
// The words every part of the program shares: the channels and views, named by
// their settings keys, and the colours lines are shown in.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace ruv {

// The channels and views, named by their settings keys.
enum class ChatChannel {
    Normal,
    Open,
    Team,
    Club,
    Whis,
    Shout,
    Original,
    NG,
    Battle,
    System,
    ExpMonitor,
};

inline constexpr std::size_t kChannelCount = static_cast<std::size_t>(ChatChannel::ExpMonitor) + 1;

std::string_view settingsKey(ChatChannel channel) noexcept;

// A display colour as 0xRRGGBB.
struct Colour {
    std::uint32_t rgb = 0;
    friend constexpr bool operator==(Colour, Colour) = default;
};

namespace colours {
inline constexpr Colour kOpenGreen{0xc8ffc8};
inline constexpr Colour kOpenWhite{0xffffff};
inline constexpr Colour kTeam{0xf7b73c};
inline constexpr Colour kClub{0x94ddfa};
inline constexpr Colour kWhis{0x64ff64};
inline constexpr Colour kShout{0xc896c8};
inline constexpr Colour kBattle{0xff64ff};
inline constexpr Colour kSystemRed{0xff6464};
inline constexpr Colour kSystemGreen{0x64ff80};
inline constexpr Colour kNotice{0xff0000};
}  // namespace colours

// "#rrggbb", lower case.
std::string colourText(Colour colour);

}  // namespace ruv
