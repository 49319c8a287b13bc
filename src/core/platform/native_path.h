#pragma once
// Paths stored as CP932 text (settings, list files) and the native paths the
// file system takes: UTF-8 on Linux, UTF-16 on Windows.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace ruv::platform {

enum class PathStyle {
    Posix,    // "/" separates
    Windows,  // "\" separates ("/" is read as one too)
};

#ifdef _WIN32
inline constexpr PathStyle kNativePathStyle = PathStyle::Windows;
#else
inline constexpr PathStyle kNativePathStyle = PathStyle::Posix;
#endif

// Empty when the text holds bytes that form no CP932 character, or a zero
// byte (where the file system would end the name): such a path is refused
// rather than turned into a different name.
std::optional<std::filesystem::path> toNativePath(std::string_view cp932Text);

// Empty when the path holds a character CP932 cannot hold (or, on Linux, a
// name that is not UTF-8).
std::optional<std::string> fromNativePath(const std::filesystem::path& path);

// The folder text with exactly one trailing separator ("\" for Windows, "/"
// for Posix); empty text stays empty. Works character-wise, so the trail byte
// 0x5C of 表 or ソ is not taken for a separator.
std::string withTrailingSeparator(std::string_view cp932Folder, PathStyle style = kNativePathStyle);

// The folder part of a file path text, up to and including its last
// separator; empty when the text has no separator.
std::string folderOf(std::string_view cp932Path, PathStyle style = kNativePathStyle);

}  // namespace ruv::platform
