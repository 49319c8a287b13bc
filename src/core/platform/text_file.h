#pragma once
// Whole-file reading and atomic whole-file writing, bytes as they are.

#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

namespace ruv::platform {

enum class ReadStatus {
    Ok,
    Missing,     // no such file (or a folder on the way is missing)
    Unreadable,  // it is there but could not be read (a folder, no access, I/O error)
};

struct FileContent {
    ReadStatus status = ReadStatus::Unreadable;
    std::string bytes;      // the whole file when status is Ok
    std::error_code error;  // the cause when status is not Ok
};

FileContent readWholeFile(const std::filesystem::path& path);

// Replaces the file's content with bytes: writes a temporary file beside it,
// flushes it to disk and renames it over the target. On failure the old file
// (if any) stays whole, the temporary file is removed and the cause returned;
// an empty error_code means success.
std::error_code writeWholeFileAtomically(const std::filesystem::path& path, std::string_view bytes);

}  // namespace ruv::platform
