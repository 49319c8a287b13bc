#pragma once
// Runs a program as a separate process for the integration tests (POSIX).

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace ruv::testing {

class ChildProcess {
  public:
    enum class Output { Inherit, Captured };

    explicit ChildProcess(const std::vector<std::string>& args, Output output = Output::Inherit) {
        std::vector<char*> argv;
        for (const std::string& arg : args) {
            argv.push_back(const_cast<char*>(arg.c_str()));
        }
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        int outPipe[2] = {-1, -1};
        int errPipe[2] = {-1, -1};
        if (output == Output::Captured) {
            if (::pipe2(outPipe, O_CLOEXEC) != 0 || ::pipe2(errPipe, O_CLOEXEC) != 0) {
                throw std::runtime_error("pipe failed");
            }
            posix_spawn_file_actions_adddup2(&actions, outPipe[1], STDOUT_FILENO);
            posix_spawn_file_actions_adddup2(&actions, errPipe[1], STDERR_FILENO);
        }
        const int failed = posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        if (output == Output::Captured) {
            ::close(outPipe[1]);
            ::close(errPipe[1]);
            out_ = outPipe[0];
            err_ = errPipe[0];
        }
        if (failed != 0) {
            throw std::runtime_error("cannot start " + args.front());
        }
    }
    ~ChildProcess() {
        if (!status_) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
        if (out_ >= 0) {
            ::close(out_);
        }
        if (err_ >= 0) {
            ::close(err_);
        }
    }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    void signal(int number) { ::kill(pid_, number); }

    // The wait status once the process has ended within timeout.
    std::optional<int> waitFor(std::chrono::milliseconds timeout) {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        while (!status_) {
            int status = 0;
            const pid_t done = ::waitpid(pid_, &status, WNOHANG);
            if (done == pid_) {
                status_ = status;
            } else if (std::chrono::steady_clock::now() > deadline) {
                break;
            } else {
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
            }
        }
        return status_;
    }
    bool running() { return !waitFor(std::chrono::milliseconds(0)); }

    int stdoutFd() const { return out_; }
    int stderrFd() const { return err_; }

  private:
    pid_t pid_ = -1;
    int out_ = -1;
    int err_ = -1;
    std::optional<int> status_;
};

}  // namespace ruv::testing
