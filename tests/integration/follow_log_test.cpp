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

#include "core/lines/chat_format.h"
#include "core/lines/log_reader.h"
#include "core/text/cp932.h"
#include "loggen/log_generator.h"
#include "support/child_process.h"
#include "support/process_helpers.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using namespace ruv::testing;

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

}  // namespace
