#include "core/platform/native_path.h"

#include <algorithm>

#include "core/text/cp932.h"
#include "core/text/sjis.h"

namespace ruv::platform {
namespace {

bool isSeparator(char byte, PathStyle style) {
    return byte == '/' || (style == PathStyle::Windows && byte == '\\');
}

char separatorOf(PathStyle style) {
    return style == PathStyle::Windows ? '\\' : '/';
}

struct SeparatorScan {
    std::size_t contentEnd = 0;  // end of the last non-separator character
    std::size_t lastSeparator = std::string_view::npos;
};

// Walks character by character: a separator byte inside a double-byte
// character is part of that character.
SeparatorScan scan(std::string_view text, PathStyle style) {
    SeparatorScan result;
    std::size_t pos = 0;
    while (pos < text.size()) {
        if (sjis::isLeadByte(text[pos])) {
            pos = std::min(pos + 2, text.size());
            result.contentEnd = pos;
            continue;
        }
        if (isSeparator(text[pos], style)) {
            result.lastSeparator = pos;
        } else {
            result.contentEnd = pos + 1;
        }
        ++pos;
    }
    return result;
}

}  // namespace

std::optional<std::filesystem::path> toNativePath(std::string_view cp932Text) {
    if (!cp932::isWellFormed(cp932Text) || cp932Text.find('\0') != std::string_view::npos) {
        return std::nullopt;
    }
#ifdef _WIN32
    const std::u16string wide = cp932::toUtf16(cp932Text);
    return std::filesystem::path(std::wstring(wide.begin(), wide.end()));
#else
    return std::filesystem::path(cp932::toUtf8(cp932Text));
#endif
}

std::optional<std::string> fromNativePath(const std::filesystem::path& path) {
#ifdef _WIN32
    const std::wstring& wide = path.native();
    return cp932::fromUtf16(std::u16string(wide.begin(), wide.end()));
#else
    return cp932::fromUtf8(path.native());
#endif
}

std::string withTrailingSeparator(std::string_view cp932Folder, PathStyle style) {
    if (cp932Folder.empty()) {
        return {};
    }
    std::string out(cp932Folder.substr(0, scan(cp932Folder, style).contentEnd));
    out.push_back(separatorOf(style));
    return out;
}

std::string folderOf(std::string_view cp932Path, PathStyle style) {
    const std::size_t last = scan(cp932Path, style).lastSeparator;
    if (last == std::string_view::npos) {
        return {};
    }
    return std::string(cp932Path.substr(0, last + 1));
}

}  // namespace ruv::platform
