#include "core/platform/text_file.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdio>

#ifdef _WIN32
#include "core/platform/windows/win32.h"
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace ruv::platform {
namespace {

constexpr int kTemporaryNameAttempts = 100;

// A name beside the target that no other writer picks.
std::filesystem::path temporaryBeside(const std::filesystem::path& target) {
    static std::atomic<std::uint32_t> counter{0};
    const auto ticks =
        static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
#ifdef _WIN32
    const auto process = static_cast<std::uint64_t>(GetCurrentProcessId());
#else
    const auto process = static_cast<std::uint64_t>(getpid());
#endif
    char suffix[64];
    std::snprintf(suffix, sizeof suffix, ".%llx.%llx.%x.tmp",
                  static_cast<unsigned long long>(process),
                  static_cast<unsigned long long>(ticks & 0xFFFFFFFFu),
                  static_cast<unsigned>(counter.fetch_add(1)));
    std::filesystem::path name = target.filename();
    name += suffix;
    return target.parent_path() / name;
}

#ifdef _WIN32

std::error_code lastError() {
    return {static_cast<int>(GetLastError()), std::system_category()};
}

struct Handle {
    HANDLE value = INVALID_HANDLE_VALUE;
    ~Handle() {
        if (value != INVALID_HANDLE_VALUE) {
            CloseHandle(value);
        }
    }
    std::error_code close() {
        const HANDLE h = value;
        value = INVALID_HANDLE_VALUE;
        return CloseHandle(h) ? std::error_code{} : lastError();
    }
};

}  // namespace

FileContent readWholeFile(const std::filesystem::path& path) {
    FileContent result;
    Handle file{CreateFileW(path.c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)};
    if (file.value == INVALID_HANDLE_VALUE) {
        const DWORD code = GetLastError();
        result.error = {static_cast<int>(code), std::system_category()};
        result.status = (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND)
                            ? ReadStatus::Missing
                            : ReadStatus::Unreadable;
        return result;
    }
    char buffer[65536];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file.value, buffer, sizeof buffer, &got, nullptr)) {
            result.error = lastError();
            result.bytes.clear();
            return result;
        }
        if (got == 0) {
            break;
        }
        result.bytes.append(buffer, got);
    }
    result.status = ReadStatus::Ok;
    return result;
}

std::error_code writeWholeFileAtomically(const std::filesystem::path& path,
                                         std::string_view bytes) {
    std::filesystem::path temporary;
    Handle file;
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        temporary = temporaryBeside(path);
        file.value = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file.value != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) {
            break;
        }
    }
    if (file.value == INVALID_HANDLE_VALUE) {
        return lastError();
    }
    std::error_code failure;
    std::size_t done = 0;
    while (!failure && done < bytes.size()) {
        const DWORD chunk =
            static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 20));
        DWORD wrote = 0;
        if (!WriteFile(file.value, bytes.data() + done, chunk, &wrote, nullptr)) {
            failure = lastError();
        }
        done += wrote;
    }
    if (!failure && !FlushFileBuffers(file.value)) {
        failure = lastError();
    }
    const std::error_code closed = file.close();
    if (!failure) {
        failure = closed;
    }
    if (!failure && !MoveFileExW(temporary.c_str(), path.c_str(),
                                 MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        failure = lastError();
    }
    if (failure) {
        DeleteFileW(temporary.c_str());
    }
    return failure;
}

#else

std::error_code lastError() {
    return {errno, std::generic_category()};
}

class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    int get() const { return fd_; }
    std::error_code close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0 ? std::error_code{} : lastError();
    }

  private:
    int fd_;
};

std::error_code writeAll(int fd, std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t wrote = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (wrote < 0) {
            if (errno == EINTR) {
                continue;
            }
            return lastError();
        }
        done += static_cast<std::size_t>(wrote);
    }
    return {};
}

// Makes the rename itself survive a crash; a failure here changes nothing.
void syncFolder(const std::filesystem::path& folder) {
    const int fd =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

}  // namespace

FileContent readWholeFile(const std::filesystem::path& path) {
    FileContent result;
    int fd = -1;
    do {
        fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        result.error = lastError();
        result.status =
            (errno == ENOENT || errno == ENOTDIR) ? ReadStatus::Missing : ReadStatus::Unreadable;
        return result;
    }
    Descriptor file(fd);
    struct stat info {};
    if (::fstat(file.get(), &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0) {
        result.bytes.reserve(static_cast<std::size_t>(info.st_size));
    }
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(file.get(), buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            result.error = lastError();
            result.bytes.clear();
            return result;
        }
        if (got == 0) {
            break;
        }
        result.bytes.append(buffer, static_cast<std::size_t>(got));
    }
    result.status = ReadStatus::Ok;
    return result;
}

std::error_code writeWholeFileAtomically(const std::filesystem::path& path,
                                         std::string_view bytes) {
    std::filesystem::path temporary;
    int fd = -1;
    for (int attempt = 0; attempt < kTemporaryNameAttempts && fd < 0; ++attempt) {
        temporary = temporaryBeside(path);
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST && errno != EINTR) {
            break;
        }
    }
    if (fd < 0) {
        return lastError();
    }
    Descriptor file(fd);
    // The new file keeps the old one's permissions.
    struct stat old {};
    if (::stat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode)) {
        ::fchmod(file.get(), old.st_mode & 07777);
    }
    std::error_code failure = writeAll(file.get(), bytes);
    if (!failure && ::fsync(file.get()) != 0) {
        failure = lastError();
    }
    const std::error_code closed = file.close();
    if (!failure) {
        failure = closed;
    }
    if (!failure && ::rename(temporary.c_str(), path.c_str()) != 0) {
        failure = lastError();
    }
    if (failure) {
        ::unlink(temporary.c_str());
        return failure;
    }
    syncFolder(path.parent_path());
    return {};
}

#endif

}  // namespace ruv::platform
