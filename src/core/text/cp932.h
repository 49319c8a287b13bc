#pragma once
// Conversion between CP932 bytes and Unicode, giving the characters of
// Windows' own code page 932. Used only at the edges: painting, clipboard,
// dialogs, message boxes and file paths.

#include <optional>
#include <string>
#include <string_view>

namespace ruv::cp932 {

// Every byte sequence converts; bytes that form no character become U+FFFD.
std::u16string toUtf16(std::string_view bytes);
std::string toUtf8(std::string_view bytes);

// Empty when the text holds a character that CP932 cannot hold: such text is
// refused, never silently altered.
std::optional<std::string> fromUtf16(std::u16string_view text);
std::optional<std::string> fromUtf8(std::string_view text);

}  // namespace ruv::cp932
