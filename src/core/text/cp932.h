#pragma once
// Conversion between CP932 bytes and Unicode, giving the characters of
// Windows' own code page 932. Used only at the edges: painting, clipboard,
// dialogs, message boxes and file paths.

#include <optional>
#include <string>
#include <string_view>

namespace ruv::cp932 {

// Every byte sequence converts; bytes that form no character become U+FFFD:
// a lead byte without a valid trail byte (that byte alone; the next byte is
// read on its own), and a lead/trail pair that CP932 leaves unassigned (both).
std::u16string toUtf16(std::string_view bytes);
std::string toUtf8(std::string_view bytes);
// The same into out, whose storage is reused from call to call.
void toUtf8(std::string_view bytes, std::string& out);

// True when every byte of bytes belongs to a character (toUtf16 would not
// produce U+FFFD).
bool isWellFormed(std::string_view bytes);

// Empty when the text holds a character that CP932 cannot hold (anything
// outside the BMP, unpaired surrogates, characters without a CP932 code): such
// text is refused, never silently altered. fromUtf8 also refuses ill-formed
// UTF-8 (overlong forms, encoded surrogates, truncated sequences).
std::optional<std::string> fromUtf16(std::u16string_view text);
std::optional<std::string> fromUtf8(std::string_view text);

}  // namespace ruv::cp932
