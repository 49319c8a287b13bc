#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "core/platform/shared_file.h"

namespace ruv::platform {

namespace {

// Read right after the failing call, before anything else can overwrite errno.
std::error_code lastSystemError() {
    return {errno, std::system_category()};
}

// POSIX never locks a file against other writers, so plain read access shares.
class PosixSharedReadFile final : public SharedReadFile {
  public:
    explicit PosixSharedReadFile(int fd) : fd_(fd) {}
    ~PosixSharedReadFile() override { ::close(fd_); }
    PosixSharedReadFile(const PosixSharedReadFile&) = delete;
    PosixSharedReadFile& operator=(const PosixSharedReadFile&) = delete;

    std::optional<ByteOffset> size() override {
        struct stat status {};
        if (::fstat(fd_, &status) != 0) {
            lastError_ = lastSystemError();
            return std::nullopt;
        }
        return ByteOffset{static_cast<std::int64_t>(status.st_size)};
    }

    bool seek(ByteOffset offset) override {
        const off_t at = ::lseek(fd_, static_cast<off_t>(offset.value), SEEK_SET);
        if (at < 0) {
            lastError_ = lastSystemError();
        }
        return at == offset.value;
    }

    std::optional<std::size_t> read(std::span<char> buffer) override {
        for (;;) {
            const ssize_t got = ::read(fd_, buffer.data(), buffer.size());
            if (got >= 0) {
                return static_cast<std::size_t>(got);
            }
            if (errno != EINTR) {
                lastError_ = lastSystemError();
                return std::nullopt;
            }
        }
    }

    std::error_code lastError() const override { return lastError_; }

    std::optional<FileIdentity> identity() override {
        struct stat status {};
        if (::fstat(fd_, &status) != 0) {
            return std::nullopt;
        }
        return FileIdentity{static_cast<std::uint64_t>(status.st_dev),
                            static_cast<std::uint64_t>(status.st_ino)};
    }

  private:
    int fd_;
    std::error_code lastError_;
};

}  // namespace

std::unique_ptr<SharedReadFile> NativeFileOpener::openShared(const std::filesystem::path& path,
                                                             std::error_code& why) const {
    int fd = -1;
    do {
        fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        why = lastSystemError();
        return nullptr;
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0) {
        why = lastSystemError();
        ::close(fd);
        return nullptr;
    }
    if (S_ISDIR(status.st_mode)) {
        why = std::make_error_code(std::errc::is_a_directory);
        ::close(fd);
        return nullptr;
    }
    return std::make_unique<PosixSharedReadFile>(fd);
}

}  // namespace ruv::platform
