#pragma once
// CP932 line text for painting and the clipboard, and the mapping between a
// line's byte columns and its UTF-16 positions.

#include <QString>

#include <cstddef>
#include <string_view>

namespace ruv {

QString decodeCp932(std::string_view bytes);

// UTF-16 position of byte column (a character boundary) in line.
int utf16Column(std::string_view line, std::size_t byteColumn);

// The last character boundary of line whose UTF-16 position is at most
// utf16Index.
std::size_t byteColumn(std::string_view line, int utf16Index);

// Text with CR LF line breaks as clipboard text: each break becomes the
// platform's newline.
QString clipboardText(std::string_view crLfText);

}  // namespace ruv
