#include "core/vocabulary/channel.h"

#include <array>
#include <cstdio>

#include "core/vocabulary/channel_table.h"

namespace ruv {

std::string_view settingsKey(ChatChannel channel) noexcept {
    return channelRow(channel).key;
}

std::string colourText(Colour colour) {
    std::array<char, 8> buffer{};
    std::snprintf(buffer.data(), buffer.size(), "#%06x", colour.rgb & 0xffffffu);
    return std::string(buffer.data(), 7);
}

}  // namespace ruv
