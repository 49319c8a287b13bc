#pragma once
// Ends the whole test program, naming the question, when a question has not
// come back by the deadline: a question that never returns fails rather than
// hanging the run.

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>
#include <utility>

namespace ruv::testing {

class HangGuard {
  public:
    explicit HangGuard(std::chrono::seconds deadline)
        : watcher_([this, deadline] {
              std::unique_lock lock(mutex_);
              if (!done_.wait_for(lock, deadline, [this] { return finished_; })) {
                  std::fprintf(stderr, "no answer within %lld s to %s\n",
                               static_cast<long long>(deadline.count()), question_.c_str());
                  std::abort();
              }
          }) {}
    ~HangGuard() {
        {
            std::lock_guard lock(mutex_);
            finished_ = true;
        }
        done_.notify_one();
        watcher_.join();
    }
    HangGuard(const HangGuard&) = delete;
    HangGuard& operator=(const HangGuard&) = delete;

    void asking(std::string question) {
        std::lock_guard lock(mutex_);
        question_ = std::move(question);
    }

  private:
    std::mutex mutex_;
    std::condition_variable done_;
    bool finished_ = false;
    std::string question_;
    std::thread watcher_;
};

}  // namespace ruv::testing
