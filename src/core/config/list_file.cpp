#include "core/config/list_file.h"

#include "core/config/config_error.h"
#include "core/platform/text_file.h"

namespace ruv::config {

TextLines splitLines(std::string_view bytes) {
    TextLines lines;
    std::size_t start = 0;
    std::size_t pos = 0;
    // CR and LF are never the trail byte of a CP932 character.
    while (pos < bytes.size()) {
        const char byte = bytes[pos];
        if (byte != '\r' && byte != '\n') {
            ++pos;
            continue;
        }
        lines.emplace_back(bytes.substr(start, pos - start));
        if (byte == '\r' && pos + 1 < bytes.size() && bytes[pos + 1] == '\n') {
            ++pos;
        }
        start = ++pos;
    }
    if (start < bytes.size()) {
        lines.emplace_back(bytes.substr(start));
    }
    return lines;
}

std::string joinLines(const TextLines& lines) {
    std::size_t size = 0;
    for (const std::string& line : lines) {
        if (line.find_first_of("\r\n") != std::string::npos) {
            throw UnsavableText("a line to save holds a line break");
        }
        size += line.size() + 2;
    }
    std::string bytes;
    bytes.reserve(size);
    for (const std::string& line : lines) {
        bytes += line;
        bytes += "\r\n";
    }
    return bytes;
}

FileLoad loadList(const std::filesystem::path& file, TextLines& holder) {
    platform::FileContent content = platform::readWholeFile(file);
    switch (content.status) {
        case platform::ReadStatus::Missing:
            return FileLoad::Missing;
        case platform::ReadStatus::Unreadable:
            throw FileError("read", file, content.error);
        case platform::ReadStatus::Ok:
            break;
    }
    holder = splitLines(content.bytes);
    return FileLoad::Loaded;
}

void saveList(const std::filesystem::path& file, const TextLines& holder) {
    if (const std::error_code failure =
            platform::writeWholeFileAtomically(file, joinLines(holder))) {
        throw FileError("write", file, failure);
    }
}

}  // namespace ruv::config
