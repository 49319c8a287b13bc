#include "shell/platform/held_file_lock.h"

#include <QFile>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

namespace ruv::platform {

HeldFileLock::~HeldFileLock() {
    release();
}

LockAttempt HeldFileLock::tryTake(const QString& file) {
    release();
    // Not handed to child processes, which would hold the lock past this one's end.
    const int descriptor = ::open(QFile::encodeName(file).constData(),
                                  O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, S_IRUSR | S_IWUSR);
    if (descriptor < 0) {
        return LockAttempt::Unavailable;
    }
    if (::flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
        const bool busy = errno == EWOULDBLOCK;
        ::close(descriptor);
        return busy ? LockAttempt::HeldElsewhere : LockAttempt::Unavailable;
    }
    handle_ = descriptor;
    return LockAttempt::Taken;
}

void HeldFileLock::release() {
    if (held()) {
        ::close(static_cast<int>(handle_));  // the lock goes with the last descriptor
        handle_ = kNoHandle;
    }
}

}  // namespace ruv::platform
