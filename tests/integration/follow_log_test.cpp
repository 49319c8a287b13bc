// A separate process plays the game and appends to a log in random chunks,
// while the reader (in this process, or the real CLI) follows it.

#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "core/log/chat_format.h"
#include "core/log/log_reader.h"
#include "core/text/cp932.h"
#include "integration/child_process.h"
#include "loggen/log_generator.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using ruv::testing::ChildProcess;

class TempDir {
  public:
    TempDir() {
        std::random_device seed;
        path_ = fs::temp_directory_path() / ("ruv_follow_" + std::to_string(seed()));
        fs::create_directories(path_);
    }
    ~TempDir() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const fs::path& path() const { return path_; }

  private:
    fs::path path_;
};

void append(const fs::path& path, std::string_view bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::app);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// The raw lines the reader must deliver for the writer's log.
std::vector<std::string> expectedLines(std::uint64_t seed, std::size_t bytes) {
    ruv::loggen::LogGenerator generator(seed);
    const std::string log = generator.generate(bytes);
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t feed = log.find('\n'); feed != std::string::npos;
         feed = log.find('\n', start)) {
        lines.push_back(ruv::removeEntities(std::string_view(log).substr(start, feed - start)));
        start = feed + 1;
    }
    return lines;
}

bool exitedWith(std::optional<int> status, int code) {
    return status && WIFEXITED(*status) && WEXITSTATUS(*status) == code;
}

struct CollectingSink : ruv::LineSink {
    std::vector<std::string> lines;
    void routeLine(std::string_view raw) override { lines.emplace_back(raw); }
};

struct FailingErrorLog : ruv::platform::ErrorLog {
    std::vector<std::string> lines;
    void append(std::string_view line) override { lines.emplace_back(line); }
};

void followWriter(std::uint64_t seed, std::size_t bytes, std::size_t maxChunk) {
    TempDir dir;
    const fs::path log = dir.path() / "MHChatLog_2024_05_01.html";
    append(log, "");
    ruv::LogTail tail;
    tail.attach(log, {});
    CollectingSink sink;
    FailingErrorLog errors;
    const ruv::platform::SystemClock clock;
    const ruv::platform::NativeFileOpener files;
    ruv::LogReader reader(tail, sink, files, errors, clock);

    ChildProcess writer({LOG_WRITER_PROCESS, log.string(), "--bytes", std::to_string(bytes),
                         "--seed", std::to_string(seed), "--max-chunk", std::to_string(maxChunk)});
    const auto deadline = std::chrono::steady_clock::now() + 30s;
    int slicesWithMoreWaiting = 0;
    for (;;) {
        // Whether the writer was done before this slice: then the slice sees it all.
        const bool writerDone = !writer.running();
        const ruv::SliceResult slice = reader.readSlice();
        if (slice.status == ruv::SliceStatus::MoreWaiting) {
            ++slicesWithMoreWaiting;
            continue;
        }
        ASSERT_EQ(slice.status, ruv::SliceStatus::CaughtUp);
        if (writerDone || std::chrono::steady_clock::now() > deadline) {
            break;
        }
        std::this_thread::sleep_for(2ms);
    }
    EXPECT_TRUE(exitedWith(writer.waitFor(0ms), 0));
    EXPECT_TRUE(errors.lines.empty());
    const std::vector<std::string> expected = expectedLines(seed, bytes);
    ASSERT_EQ(sink.lines.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        ASSERT_EQ(sink.lines[i], expected[i]) << "line " << i;
    }
    EXPECT_EQ(tail.consumed().value, static_cast<std::int64_t>(fs::file_size(log)));
    ::testing::Test::RecordProperty("slices_with_more_waiting", slicesWithMoreWaiting);
}

TEST(FollowLog, ReaderDeliversEveryLineOnceInOrderUnderBurstsOfUpTo300KB) {
    followWriter(17, 2'500'000, 300 * 1024);
}

TEST(FollowLog, ReaderDeliversEveryLineOnceUnderManySmallChunks) {
    followWriter(29, 300'000, 2'000);
}

// Reads what the process printed until `lines` lines arrived or time ran out.
std::string readLines(int fd, std::size_t lines, std::chrono::milliseconds timeout) {
    std::string text;
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) < lines) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            break;
        }
        pollfd descriptor{fd, POLLIN, 0};
        if (::poll(&descriptor, 1, static_cast<int>(left.count())) <= 0) {
            continue;
        }
        char buffer[65536];
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got <= 0) {
            break;
        }
        text.append(buffer, static_cast<std::size_t>(got));
    }
    return text;
}

// Everything a process that has ended printed.
std::string readToEnd(int fd) {
    std::string text;
    char buffer[65536];
    for (ssize_t got = ::read(fd, buffer, sizeof buffer); got > 0;
         got = ::read(fd, buffer, sizeof buffer)) {
        text.append(buffer, static_cast<std::size_t>(got));
    }
    return text;
}

// Compares line by line, so a failure names the first line that differs.
void expectSameLines(const std::string& printed, const std::string& expected) {
    std::istringstream a(printed), b(expected);
    std::string left, right;
    for (int number = 1;; ++number) {
        const bool moreLeft = static_cast<bool>(std::getline(a, left));
        const bool moreRight = static_cast<bool>(std::getline(b, right));
        ASSERT_EQ(moreLeft, moreRight) << "line counts differ at printed line " << number;
        if (!moreLeft) {
            return;
        }
        ASSERT_EQ(left, right) << "printed line " << number;
    }
}

std::string printedLine(std::size_t number, std::string_view raw, bool utf8) {
    const std::string display = ruv::displayText(raw);
    return std::to_string(number) + "\t" + (utf8 ? ruv::cp932::toUtf8(display) : display) + "\n";
}

TEST(FollowCommand, PrintsEveryLineAnotherProcessAppendsFromTheStart) {
    TempDir dir;
    const fs::path log = dir.path() / "MHChatLog_2024_05_01.html";
    append(log, "");
    ChildProcess cli({RUVIVUVAZ_CLI, "follow", log.string(), "--from-start"},
                     ChildProcess::Output::Captured);
    const std::uint64_t seed = 5;
    const std::size_t bytes = 200'000;
    // Small chunks with pauses, so the command sees many lines in halves.
    ChildProcess writer({LOG_WRITER_PROCESS, log.string(), "--bytes", std::to_string(bytes),
                         "--seed", std::to_string(seed), "--max-chunk", "3000"});
    const std::vector<std::string> lines = expectedLines(seed, bytes);
    std::string expected;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        expected += printedLine(i + 1, lines[i], true);
    }
    const std::string printed = readLines(cli.stdoutFd(), lines.size(), 15s);
    EXPECT_TRUE(exitedWith(writer.waitFor(10s), 0));
    expectSameLines(printed, expected);
    cli.signal(SIGTERM);
    EXPECT_TRUE(exitedWith(cli.waitFor(5s), 0));
    EXPECT_EQ(readToEnd(cli.stdoutFd()), "");
    EXPECT_EQ(readToEnd(cli.stderrFd()), "");
}

TEST(FollowCommand, StartsAtTheCurrentEndAndStopsOnInterrupt) {
    TempDir dir;
    const fs::path log = dir.path() / "MHChatLog_2024_05_01.html";
    ruv::loggen::LogGenerator generator(8);
    append(log, generator.generate(20'000));
    ChildProcess cli({RUVIVUVAZ_CLI, "follow", log.string(), "--encoding", "cp932"},
                     ChildProcess::Output::Captured);
    // The command takes the end when it starts: append lines until the first
    // one shows, then a few more.
    std::vector<std::string> appended;
    std::string printed;
    int after = 0;
    const auto deadline = std::chrono::steady_clock::now() + 20s;
    while (after < 5 && std::chrono::steady_clock::now() < deadline) {
        appended.push_back(generator.nextLine().bytes);
        append(log, appended.back() + "\n");
        printed += readLines(cli.stdoutFd(), 1, 30ms);
        after += printed.empty() ? 0 : 1;
    }
    printed += readLines(cli.stdoutFd(), appended.size(), 500ms);
    ASSERT_FALSE(printed.empty());
    // What was printed is a run of the appended lines that ends with the last one.
    const std::size_t lineCount =
        static_cast<std::size_t>(std::count(printed.begin(), printed.end(), '\n'));
    ASSERT_LE(lineCount, appended.size());
    std::string expected;
    const std::size_t first = appended.size() - lineCount;
    for (std::size_t i = first; i < appended.size(); ++i) {
        expected += printedLine(i - first + 1, ruv::removeEntities(appended[i]), false);
    }
    expectSameLines(printed, expected);
    cli.signal(SIGINT);
    EXPECT_TRUE(exitedWith(cli.waitFor(5s), 0));
    EXPECT_EQ(readToEnd(cli.stderrFd()), "");
}

TEST(FollowCommand, FileThatCannotBeOpenedIsOneMessageAndStatusOne) {
    TempDir dir;
    ChildProcess cli({RUVIVUVAZ_CLI, "follow", (dir.path() / "missing.html").string()},
                     ChildProcess::Output::Captured);
    EXPECT_TRUE(exitedWith(cli.waitFor(5s), 1));
    const std::string message = readToEnd(cli.stderrFd());
    EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), 1);
    EXPECT_NE(message.find("missing.html"), std::string::npos);
    EXPECT_EQ(readToEnd(cli.stdoutFd()), "");
}

}  // namespace
