#include <algorithm>

#include "core/platform/shared_file.h"
#include "core/platform/windows/win32.h"

namespace ruv::platform {

namespace {

// Read right after the failing call, before another call can overwrite it.
std::error_code lastSystemError() {
    return {static_cast<int>(::GetLastError()), std::system_category()};
}

bool isFolder(const std::filesystem::path& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

class Win32SharedReadFile final : public SharedReadFile {
  public:
    explicit Win32SharedReadFile(HANDLE handle) : handle_(handle) {}
    ~Win32SharedReadFile() override { ::CloseHandle(handle_); }
    Win32SharedReadFile(const Win32SharedReadFile&) = delete;
    Win32SharedReadFile& operator=(const Win32SharedReadFile&) = delete;

    std::optional<ByteOffset> size() override {
        LARGE_INTEGER size{};
        if (!::GetFileSizeEx(handle_, &size)) {
            lastError_ = lastSystemError();
            return std::nullopt;
        }
        return ByteOffset{static_cast<std::int64_t>(size.QuadPart)};
    }

    bool seek(ByteOffset offset) override {
        LARGE_INTEGER distance{};
        distance.QuadPart = offset.value;
        if (!::SetFilePointerEx(handle_, distance, nullptr, FILE_BEGIN)) {
            lastError_ = lastSystemError();
            return false;
        }
        return true;
    }

    std::optional<std::size_t> read(std::span<char> buffer) override {
        const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(buffer.size(), 1u << 30));
        DWORD got = 0;
        if (!::ReadFile(handle_, buffer.data(), wanted, &got, nullptr)) {
            lastError_ = lastSystemError();
            return std::nullopt;
        }
        return static_cast<std::size_t>(got);
    }

    std::error_code lastError() const override { return lastError_; }

    std::optional<FileIdentity> identity() override {
        BY_HANDLE_FILE_INFORMATION info{};
        if (!::GetFileInformationByHandle(handle_, &info)) {
            return std::nullopt;
        }
        const std::uint64_t index = (std::uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow;
        // Some network file systems give every file the index 0.
        if (index == 0) {
            return std::nullopt;
        }
        return FileIdentity{info.dwVolumeSerialNumber, index};
    }

  private:
    HANDLE handle_;
    std::error_code lastError_;
};

}  // namespace

std::unique_ptr<SharedReadFile> NativeFileOpener::openShared(const std::filesystem::path& path,
                                                             std::error_code& why) const {
    const HANDLE handle = ::CreateFileW(path.c_str(), GENERIC_READ,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        why = lastSystemError();
        // Windows refuses a folder as "access denied"; say what it is.
        if (why.value() == ERROR_ACCESS_DENIED && isFolder(path)) {
            why = std::make_error_code(std::errc::is_a_directory);
        }
        return nullptr;
    }
    return std::make_unique<Win32SharedReadFile>(handle);
}

}  // namespace ruv::platform
