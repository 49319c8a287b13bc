#include "shell/platform/held_file_lock.h"

#include <windows.h>

namespace ruv::platform {
namespace {

HANDLE toHandle(std::intptr_t handle) {
    return reinterpret_cast<HANDLE>(handle);  // NOLINT: the handle is kept as an integer
}

}  // namespace

HeldFileLock::~HeldFileLock() {
    release();
}

LockAttempt HeldFileLock::tryTake(const QString& file) {
    release();
    // Not inheritable: a child process must not hold the lock past this one's end.
    const HANDLE opened =
        ::CreateFileW(reinterpret_cast<const wchar_t*>(file.utf16()), GENERIC_READ | GENERIC_WRITE,
                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (opened == INVALID_HANDLE_VALUE) {
        // A copy that opened the file without sharing it holds it as surely.
        return ::GetLastError() == ERROR_SHARING_VIOLATION ? LockAttempt::HeldElsewhere
                                                           : LockAttempt::Unavailable;
    }
    OVERLAPPED first{};
    if (::LockFileEx(opened, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0,
                     &first) == 0) {
        const bool busy = ::GetLastError() == ERROR_LOCK_VIOLATION;
        ::CloseHandle(opened);
        return busy ? LockAttempt::HeldElsewhere : LockAttempt::Unavailable;
    }
    handle_ = reinterpret_cast<std::intptr_t>(opened);  // NOLINT: kept as an integer
    return LockAttempt::Taken;
}

void HeldFileLock::release() {
    if (held()) {
        ::CloseHandle(toHandle(handle_));  // the lock goes with the handle
        handle_ = kNoHandle;
    }
}

}  // namespace ruv::platform
