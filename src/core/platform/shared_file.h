#pragma once
// Reading a file that another process keeps open for writing: the game appends
// to its chat log while we read it.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <system_error>

#include "core/text/units.h"

namespace ruv::platform {

// Which file a handle reads, whatever its name: a file written anew under the
// same name has another identity while the first still exists.
struct FileIdentity {
    std::uint64_t volume = 0;
    std::uint64_t index = 0;
    friend constexpr bool operator==(const FileIdentity&, const FileIdentity&) = default;
};

// One open handle. Closed when destroyed.
class SharedReadFile {
  public:
    virtual ~SharedReadFile() = default;

    // The size of the file as the open handle sees it; current even while the
    // writer holds the file open. Empty on failure.
    virtual std::optional<ByteOffset> size() = 0;
    virtual bool seek(ByteOffset offset) = 0;
    // Reads up to buffer.size() bytes; 0 at the end of the file, empty on failure.
    virtual std::optional<std::size_t> read(std::span<char> buffer) = 0;
    // Why the last size, seek or read failed, as the system said it.
    virtual std::error_code lastError() const = 0;
    // Empty where the file system cannot tell.
    virtual std::optional<FileIdentity> identity() { return std::nullopt; }
};

class FileOpener {
  public:
    virtual ~FileOpener() = default;

    // Opens for reading, sharing reading, writing and deletion with others.
    // Null when the file cannot be opened, and why says why as the system said
    // it (std::errc::is_a_directory for a folder).
    virtual std::unique_ptr<SharedReadFile> openShared(const std::filesystem::path& path,
                                                       std::error_code& why) const = 0;
    // The same, where the reason is not wanted.
    std::unique_ptr<SharedReadFile> openShared(const std::filesystem::path& path) const {
        std::error_code unused;
        return openShared(path, unused);
    }
};

// The operating system's files (POSIX, or Win32 with CreateFileW).
class NativeFileOpener final : public FileOpener {
  public:
    using FileOpener::openShared;
    std::unique_ptr<SharedReadFile> openShared(const std::filesystem::path& path,
                                               std::error_code& why) const override;
};

// Reads until buffer is full or the file ends; the number of bytes read, empty
// on failure.
std::optional<std::size_t> readFully(SharedReadFile& file, std::span<char> buffer);

}  // namespace ruv::platform
