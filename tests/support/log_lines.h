#pragma once
// Builds chat log lines byte for byte, as the game writes them.

#include <string>
#include <string_view>

#include "core/lines/chat_format.h"
#include "support/cp932_text.h"

namespace ruv::testing {

inline constexpr std::string_view kStamp = "[2024/05/01 21:0]";  // 17 bytes

enum class TagForm { BlankBefore, BlankAfter };

// One raw line: marker, separator, time stamp, tag block, body, closing tags.
inline std::string chatLine(std::string_view colourHex, std::string_view body,
                            TagForm form = TagForm::BlankBefore, std::string_view stamp = kStamp) {
    const std::string tag = "<font size=\"2\" color=\"#" + std::string(colourHex) + "\">";
    std::string line(markers::kLine);
    line += ' ';
    line += stamp;
    line += form == TagForm::BlankBefore ? "</font> " + tag : "</font>" + tag + " ";
    line += body;
    line += markers::kLineClose;
    return line;
}

// The display text a view shows for such a line.
inline std::string shown(std::string_view body, std::string_view stamp = kStamp) {
    return std::string(stamp) + std::string(body);
}

inline std::string gainLine(std::string_view amountText) {
    return chatLine("ff64ff", sj("経験値が ") + std::string(amountText) + sj(" 上がりました。"));
}

}  // namespace ruv::testing
