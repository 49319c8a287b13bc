#pragma once
// The writing end of a named pipe that a worker reads as a log (POSIX): its
// read blocks until the test writes or lets go, as on a hung network share.

#ifndef _WIN32
#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string_view>
#include <thread>

namespace ruv::testing {

class PipeWriter {
  public:
    explicit PipeWriter(const std::filesystem::path& path) : path_(path) {
        made_ = ::mkfifo(path.c_str(), 0600) == 0;
    }
    ~PipeWriter() { letGo(); }
    PipeWriter(const PipeWriter&) = delete;
    PipeWriter& operator=(const PipeWriter&) = delete;

    // Opens the pipe once a reader has it open; false when none came within 5 s.
    bool waitForReader() {
        for (int tries = 0; made_ && fd_ < 0 && tries < 5000; ++tries) {
            fd_ = ::open(path_.c_str(), O_WRONLY | O_NONBLOCK);
            if (fd_ < 0) {
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
        }
        return fd_ >= 0 && ::fcntl(fd_, F_SETFL, 0) == 0;
    }
    // Writes every byte, waiting while the pipe is full.
    bool put(std::string_view bytes) {
        while (!bytes.empty()) {
            const auto written = ::write(fd_, bytes.data(), bytes.size());
            if (written <= 0) {
                return false;
            }
            bytes.remove_prefix(static_cast<std::size_t>(written));
        }
        return true;
    }
    // Waits until the reader has taken every byte written; false after 5 s.
    bool waitUntilTaken() const {
        int unread = 1;
        for (int tries = 0; unread > 0 && tries < 5000; ++tries) {
            if (::ioctl(fd_, FIONREAD, &unread) != 0) {
                return false;
            }
            if (unread > 0) {
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
        }
        return unread == 0;
    }
    // Closes the writing end: the reader's read returns what is left, then the end.
    void letGo() {
        if (fd_ >= 0) {
            ::close(fd_);
            fd_ = -1;
        }
    }

  private:
    std::filesystem::path path_;
    bool made_ = false;
    int fd_ = -1;
};

}  // namespace ruv::testing
#endif
