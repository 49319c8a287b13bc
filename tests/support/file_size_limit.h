#pragma once
// Makes every write past a file size fail (EFBIG) while it lives: a real
// write failure that also happens for root, who ignores permissions. Windows
// has no such per-process limit; tests that need one skip there.

#include <cstdint>

#ifndef _WIN32
#include <sys/resource.h>

#include <csignal>
#endif

namespace ruv::testing {

#ifdef _WIN32

class FileSizeLimit {
  public:
    static constexpr bool kAvailable = false;
    explicit FileSizeLimit(std::uint64_t /*limit*/) {}
};

#else

class FileSizeLimit {
  public:
    static constexpr bool kAvailable = true;

    explicit FileSizeLimit(std::uint64_t limit) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lowered = saved_;
        lowered.rlim_cur = static_cast<rlim_t>(limit);
        setrlimit(RLIMIT_FSIZE, &lowered);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previousHandler_);
    }

  private:
    rlimit saved_{};
    void (*previousHandler_)(int) = nullptr;
};

#endif

}  // namespace ruv::testing

// For the first line of a test that needs a FileSizeLimit.
#define RUV_SKIP_WITHOUT_FILE_SIZE_LIMIT()          \
    if (!::ruv::testing::FileSizeLimit::kAvailable) \
    GTEST_SKIP() << "no per-process file size limit on this system to make writes fail"
