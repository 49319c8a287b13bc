#pragma once
// Line files: config.ini and the four list files share their line rules.
// Written: every line followed by CR LF. Read: CR LF, a lone LF and a lone CR
// each end a line; a last line without a line break is a line too. Bytes are
// neither converted nor trimmed.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace ruv::config {

// An ordered list of text lines without line breaks (NG lists, voice list,
// log history).
using TextLines = std::vector<std::string>;

enum class FileLoad {
    Loaded,
    Missing,  // there was no file; the holder is unchanged
};

TextLines splitLines(std::string_view bytes);

// Each line followed by CR LF; no lines give no bytes. Throws UnsavableText
// when a line holds CR or LF.
std::string joinLines(const TextLines& lines);

// Replaces the holder's lines with the file's. A missing file leaves the
// holder unchanged; a file that can't be read throws FileError and also
// leaves it unchanged.
FileLoad loadList(const std::filesystem::path& file, TextLines& holder);

// Writes the holder's lines, creating or replacing the file atomically; an
// empty holder gives a zero-byte file. Throws FileError (the old file stays
// whole) or UnsavableText.
void saveList(const std::filesystem::path& file, const TextLines& holder);

}  // namespace ruv::config
