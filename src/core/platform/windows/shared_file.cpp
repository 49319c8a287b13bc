#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <algorithm>

#include "core/platform/shared_file.h"

namespace ruv::platform {

namespace {

class Win32SharedReadFile final : public SharedReadFile {
  public:
    explicit Win32SharedReadFile(HANDLE handle) : handle_(handle) {}
    ~Win32SharedReadFile() override { ::CloseHandle(handle_); }
    Win32SharedReadFile(const Win32SharedReadFile&) = delete;
    Win32SharedReadFile& operator=(const Win32SharedReadFile&) = delete;

    std::optional<ByteOffset> size() override {
        LARGE_INTEGER size{};
        if (!::GetFileSizeEx(handle_, &size)) {
            return std::nullopt;
        }
        return ByteOffset{static_cast<std::int64_t>(size.QuadPart)};
    }

    bool seek(ByteOffset offset) override {
        LARGE_INTEGER distance{};
        distance.QuadPart = offset.value;
        return ::SetFilePointerEx(handle_, distance, nullptr, FILE_BEGIN) != 0;
    }

    std::optional<std::size_t> read(std::span<char> buffer) override {
        const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(buffer.size(), 1u << 30));
        DWORD got = 0;
        if (!::ReadFile(handle_, buffer.data(), wanted, &got, nullptr)) {
            return std::nullopt;
        }
        return static_cast<std::size_t>(got);
    }

  private:
    HANDLE handle_;
};

}  // namespace

std::unique_ptr<SharedReadFile> NativeFileOpener::openShared(
    const std::filesystem::path& path) const {
    const HANDLE handle = ::CreateFileW(path.c_str(), GENERIC_READ,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return nullptr;
    }
    return std::make_unique<Win32SharedReadFile>(handle);
}

}  // namespace ruv::platform
