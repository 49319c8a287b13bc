#pragma once
// CP932 text at the edge of the toolkit: what the screen shows and what the
// user typed.

#include <QString>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace ruv {

// CP932 bytes as shown on screen.
QString fromCp932(std::string_view cp932);
// CP932 text of several lines: each CR LF becomes the line feed Qt breaks at.
QString fromCp932Lines(std::string_view cp932);
// Empty when the text holds a character CP932 cannot hold.
std::optional<std::string> toCp932(const QString& text);

// A native path as the toolkit takes it, and back.
QString toQString(const std::filesystem::path& path);
std::filesystem::path pathFromQString(const QString& path);

}  // namespace ruv
