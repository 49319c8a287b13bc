#pragma once
// Which characters Unicode gives no other letter case, so that ignoring case
// cannot change what they match: ASCII but its letters, kana, CJK ideographs
// and half-width katakana, most of CP932's characters. Others may have one.

#include <string_view>

namespace ruv {

// Whether every character of a text (UTF-8) is so; ill-formed text is not.
bool isCaselessText(std::string_view utf8);

}  // namespace ruv
