// The command line follows a log another process appends to and prints the
// trace of routing each line, as the program routes it.

#include <gtest/gtest.h>

#include <poll.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <sstream>

#include "core/app/settings_folder.h"
#include "core/log/route_trace.h"
#include "support/child_process.h"
#include "support/cp932_text.h"
#include "support/process_helpers.h"

namespace {

using namespace ruv::testing;
using namespace std::chrono_literals;

// What routing prints for the lines, in this process.
std::string traced(const std::vector<std::string>& raws, ruv::ListingText text,
                   const std::optional<fs::path>& settings = std::nullopt) {
    std::ostringstream out;
    ruv::TracedRouting routing(out, text);
    if (settings) {
        ruv::loadSettingsFolder(*settings, routing.settings(), routing.lists());
    }
    for (const std::string& raw : raws) {
        routing.router().RouteLine(raw);
    }
    return out.str();
}

std::size_t lineCount(const std::string& text) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
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

TEST(FollowCommand, TracesEveryLineAnotherProcessAppendsFromTheStart) {
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
    const std::string expected = traced(expectedLines(seed, bytes), ruv::ListingText::Utf8);
    ASSERT_GT(lineCount(expected), 1000u);
    const std::string printed = readLines(cli.stdoutFd(), lineCount(expected), 15s);
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
    // The command takes the end when it starts: append chat lines until the
    // first one shows, then five more.
    std::vector<std::string> appended;
    std::string printed;
    const auto deadline = std::chrono::steady_clock::now() + 20s;
    while (printed.empty() && std::chrono::steady_clock::now() < deadline) {
        appended.push_back(generator
                               .makeLine(ruv::colours::kTeam,
                                         ruv::loggen::TagBlockForm::BlankBefore,
                                         sj("ソラ : 表") + std::to_string(appended.size()))
                               .bytes);
        append(log, appended.back() + "\n");
        printed += readLines(cli.stdoutFd(), 1, 30ms);
    }
    ASSERT_FALSE(printed.empty());
    const std::size_t seenBefore = appended.size();
    for (int i = 0; i < 5; ++i) {
        appended.push_back(generator.nextLine().bytes);
        append(log, appended.back() + "\n");
    }
    // Every line appended after the first printed one is traced, in order.
    std::vector<std::string> later(appended.begin() + static_cast<std::ptrdiff_t>(seenBefore),
                                   appended.end());
    for (std::string& raw : later) {
        raw = ruv::removeEntities(raw);
    }
    const std::string tail = traced(later, ruv::ListingText::Cp932);
    // Lines traced before the first printed one may still come ahead of the tail.
    const auto tailDeadline = std::chrono::steady_clock::now() + 5s;
    while (!printed.ends_with(tail) && std::chrono::steady_clock::now() < tailDeadline) {
        printed += readLines(cli.stdoutFd(), 1, 100ms);
    }
    ASSERT_GE(printed.size(), tail.size());
    EXPECT_EQ(printed.substr(printed.size() - tail.size()), tail);
    cli.signal(SIGINT);
    EXPECT_TRUE(exitedWith(cli.waitFor(5s), 0));
    EXPECT_EQ(readToEnd(cli.stderrFd()), "");
}

TEST(FollowCommand, StartsAfterTheLastCompleteLineSoALineBeingWrittenIsTracedWhole) {
    TempDir dir;
    const fs::path log = dir.path() / "MHChatLog_2024_05_01.html";
    ruv::loggen::LogGenerator generator(5);
    const auto line = [&](ruv::Colour colour, const char* body) {
        return generator.makeLine(colour, ruv::loggen::TagBlockForm::BlankBefore, sj(body)).bytes;
    };
    const std::string writing = line(ruv::colours::kTeam, "ソラ : 書きかけ");
    const std::string next = line(ruv::colours::kOpenWhite, "ミカ : 次");
    append(log, generator.header() + writing.substr(0, 60));
    // The command has taken its start once it has read the log and closed it.
    const int reads = ::inotify_init1(IN_CLOEXEC);
    ASSERT_GE(::inotify_add_watch(reads, log.c_str(), IN_CLOSE_NOWRITE), 0);
    ChildProcess cli({RUVIVUVAZ_CLI, "follow", log.string(), "--encoding", "cp932"},
                     ChildProcess::Output::Captured);
    pollfd closed{reads, POLLIN, 0};
    ASSERT_EQ(::poll(&closed, 1, 5000), 1);
    ::close(reads);
    append(log, writing.substr(60) + "\n" + next + "\n");

    const std::string expected = traced({writing, next}, ruv::ListingText::Cp932);
    expectSameLines(readLines(cli.stdoutFd(), lineCount(expected), 5s), expected);
    cli.signal(SIGINT);
    EXPECT_TRUE(exitedWith(cli.waitFor(5s), 0));
}

TEST(FollowCommand, AppliesTheNgListsMixAndSpeechSwitchOfASettingsFolder) {
    TempDir dir;
    const fs::path settings = dir.path() / "settings";
    fs::create_directories(settings);
    append(settings / "config.ini",
           "NGWordCheck=1\r\nOpenCheck=1\r\nShoutCheck=1\r\nBouyomiCheck01=1\r\nBattle=1\r\n");
    append(settings / "nguserlist.txt", sj("荒らし") + "\r\n");
    const fs::path log = dir.path() / "MHChatLog_2024_05_01.html";
    append(log, "");
    ChildProcess cli(
        {RUVIVUVAZ_CLI, "follow", log.string(), "--from-start", "--settings", settings.string()},
        ChildProcess::Output::Captured);
    ruv::loggen::LogGenerator generator(3);
    const auto line = [&](ruv::Colour colour, const char* body) {
        return generator.makeLine(colour, ruv::loggen::TagBlockForm::BlankBefore, sj(body)).bytes;
    };
    const std::vector<std::string> lines = {
        line(ruv::colours::kOpenGreen, "荒らし : spam"),
        line(ruv::colours::kOpenWhite, "ミカ : こんにちは"),
        line(ruv::colours::kShout, "カイ : 集合！"),
        line(ruv::colours::kBattle, "経験値が 35 上がりました。"),
    };
    for (const std::string& raw : lines) {
        append(log, raw + "\n");
    }
    const std::string expected = traced(lines, ruv::ListingText::Utf8, settings);
    const std::string printed = readLines(cli.stdoutFd(), lineCount(expected), 5s);
    expectSameLines(printed, expected);
    // What the settings must have changed, spelled out.
    EXPECT_NE(printed.find("NG\t#c8ffc8\t"), std::string::npos);
    EXPECT_EQ(printed.find("spam\nOpen"), std::string::npos);
    EXPECT_NE(printed.find("Original\t#ffffff\t"), std::string::npos);
    EXPECT_NE(printed.find("speak\t1\tミカ : こんにちは"), std::string::npos);
    EXPECT_NE(printed.find("speak\t0\tカイ : 集合！"), std::string::npos);
    EXPECT_NE(printed.find("Battle\t#ff64ff\t"), std::string::npos);
    EXPECT_NE(printed.find("gain\t35"), std::string::npos);
    cli.signal(SIGTERM);
    EXPECT_TRUE(exitedWith(cli.waitFor(5s), 0));
}

// Both commands name the file and the system's reason after one prefix; a file
// with no chat-log line is a warning only, and follow goes on following it.
TEST(CommandLine, EveryMessageNamesTheFileAndTheRealReason) {
    TempDir dir;
    const fs::path binary = dir.path() / "picture.png";
    append(binary, std::string_view("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\x01\0", 20));
    struct Case {
        fs::path file;
        std::string reason;
        int status;
    };
    const Case cases[] = {
        {dir.path(), std::strerror(EISDIR), 1},
        {dir.path() / "missing.html", std::strerror(ENOENT), 1},
        {binary, "holds no chat-log line", 0},
    };
    for (const std::string command : {"sort", "follow"}) {
        for (const Case& c : cases) {
            ChildProcess cli({RUVIVUVAZ_CLI, command, c.file.string()},
                             ChildProcess::Output::Captured);
            EXPECT_EQ(readLines(cli.stderrFd(), 1, 5s),
                      "mh_ruvivuvaz-cli: " + c.file.string() + ": " + c.reason + "\n")
                << command;
            if (command == "follow" && c.status == 0) {
                cli.signal(SIGTERM);
            }
            EXPECT_TRUE(exitedWith(cli.waitFor(5s), c.status)) << command << ' ' << c.file;
            EXPECT_EQ(readToEnd(cli.stderrFd()), "") << command << ' ' << c.file;
        }
    }
}

}  // namespace
