#pragma once
// A lock the system holds on a file for the process that took it, until it is
// released or the process ends, however the process ends. The file itself is
// never removed: a copy that has ended leaves nothing to clear away, so no
// start ever judges another's lock stale, and of two starts at the same
// moment exactly one wins.

#include <QString>

#include <cstdint>

namespace ruv::platform {

enum class LockAttempt {
    Taken,          // this process holds the lock
    HeldElsewhere,  // another process holds it
    Unavailable,    // the file cannot be opened or locked at all
};

class HeldFileLock {
  public:
    HeldFileLock() = default;
    ~HeldFileLock();
    HeldFileLock(const HeldFileLock&) = delete;
    HeldFileLock& operator=(const HeldFileLock&) = delete;

    // Opens the file (made if missing) and takes its lock without waiting.
    LockAttempt tryTake(const QString& file);
    void release();
    bool held() const { return handle_ != kNoHandle; }

  private:
    static constexpr std::intptr_t kNoHandle = -1;
    // A descriptor (Linux) or a HANDLE (Windows).
    std::intptr_t handle_ = kNoHandle;
};

}  // namespace ruv::platform
