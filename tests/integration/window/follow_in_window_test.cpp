// The program follows a log offscreen while a separate writer process appends
// 100,000 mixed lines in random chunks: every line lands in its views exactly
// once, in order, and the time from the write to the view is measured.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QProcess>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <map>
#include <sstream>

#include "core/log/route_trace.h"
#include "shell/app/main_window.h"
#include "shell/log/live_log.h"
#include "shell/views/channel_view.h"
#include "support/writer_log.h"

namespace {

using namespace ruv::testing;
using namespace std::chrono_literals;
using ruv::ChatChannel;

constexpr std::uint64_t kSeed = 11;
constexpr std::size_t kBytes = 13'500'000;

std::int64_t steadyNanoseconds() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// What routing appends to each view for the lines, split into the views' lines.
std::map<std::string, std::vector<std::string>> expectedViews(
    const std::vector<std::string>& raws) {
    std::ostringstream out;
    ruv::TracedRouting routing(out, ruv::ListingText::Cp932);
    routing.settings().SetTabShown(ChatChannel::Battle, true);
    routing.settings().SetTabShown(ChatChannel::System, true);
    for (const std::string& raw : raws) {
        routing.router().RouteLine(raw);
    }
    std::map<std::string, std::vector<std::string>> views;
    std::istringstream lines(out.str());
    for (std::string line; std::getline(lines, line);) {
        const auto firstTab = line.find('\t');
        const auto secondTab = line.find('\t', firstTab + 1);
        if (firstTab == std::string::npos || secondTab == std::string::npos) {
            continue;  // gains and level-ups
        }
        views[line.substr(0, firstTab)].push_back(line.substr(secondTab + 1));
    }
    return views;
}

std::vector<std::string> viewLines(const ruv::ChannelView& view) {
    std::vector<std::string> lines;
    const std::string text = view.text();
    if (view.lineCount().value == 0) {
        return lines;
    }
    std::size_t start = 0;
    for (std::size_t end = text.find("\r\n"); end != std::string::npos;
         end = text.find("\r\n", start)) {
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    lines.push_back(text.substr(start));
    return lines;
}

struct Sample {
    std::int64_t offset;
    std::int64_t nanoseconds;
};

std::vector<Sample> readTiming(const fs::path& file) {
    std::vector<Sample> samples;
    std::ifstream in(file);
    for (Sample sample{}; in >> sample.offset >> sample.nanoseconds;) {
        samples.push_back(sample);
    }
    return samples;
}

// The first sample at or past offset.
std::int64_t timeReaching(const std::vector<Sample>& samples, std::int64_t offset) {
    const auto it = std::lower_bound(
        samples.begin(), samples.end(), offset,
        [](const Sample& sample, std::int64_t value) { return sample.offset < value; });
    return it == samples.end() ? -1 : it->nanoseconds;
}

// Chunks of up to 300 KB with bursts, or chat-sized chunks of up to 2,000 bytes.
class FollowInWindow : public ::testing::TestWithParam<std::size_t> {};

// Chat-sized chunks take some 16,000 writes: at the game's pace their pauses
// alone would last 15 s, so they come ten times as fast; the reader still
// meets every split and burst.
int pausePercent(std::size_t maxChunk) {
    return maxChunk < 64 * 1024 ? 10 : 100;
}

TEST_P(FollowInWindow, EveryLineLandsInItsViewsOnceWhileAWriterAppendsInRandomChunks) {
    const std::size_t maxChunk = GetParam();
    TempDir dir;
    const fs::path log = dir.path() / "MHChatLog_2024_05_01.html";
    const fs::path timing = dir.path() / "timing.txt";
    append(log, "");

    ruv::MainWindow window;
    window.setTabShown(ruv::Tab::Battle, ruv::TabVisibility::Shown);
    window.setTabShown(ruv::Tab::System, ruv::TabVisibility::Shown);
    window.setActiveTab(ruv::Tab::Normal);
    ruv::LiveLog& live = window.liveLog();
    live.attach(log, ruv::ByteOffset{0});

    std::vector<Sample> routed;
    QObject::connect(&live, &ruv::LiveLog::linesRouted, [&] {
        routed.push_back({live.tail().consumed().value, steadyNanoseconds()});
    });

    // Everything the check needs is computed first: the event loop must be free
    // to follow while the writer writes.
    const std::vector<std::string> raws = expectedLines(kSeed, kBytes);
    ASSERT_GE(raws.size(), 100'000u);
    const auto expected = expectedViews(raws);
    const std::string bytes = ruv::loggen::LogGenerator(kSeed).generate(kBytes);
    // Started through Qt, which starts a Windows program as well as a Linux one.
    QProcess writer;
    writer.setProcessChannelMode(QProcess::ForwardedChannels);
    writer.start(
        QDir(QCoreApplication::applicationDirPath()).filePath(LOG_WRITER_PROCESS),
        {QString::fromStdString(log.string()), "--bytes", QString::number(kBytes), "--seed",
         QString::number(kSeed), "--timing", QString::fromStdString(timing.string()), "--max-chunk",
         QString::number(maxChunk), "--pause-percent", QString::number(pausePercent(maxChunk))});
    ASSERT_TRUE(writer.waitForStarted(10'000)) << writer.errorString().toStdString();

    // A real event loop: the program's own, without the sleeps of QTest::qWait.
    QEventLoop loop;
    QTimer check;
    QObject::connect(&check, &QTimer::timeout, [&] {
        if (writer.state() == QProcess::NotRunning &&
            live.tail().consumed().value == static_cast<std::int64_t>(fs::file_size(log))) {
            loop.quit();
        }
    });
    check.start(20);
    QTimer::singleShot(60'000, &loop, &QEventLoop::quit);
    loop.exec();
    ASSERT_EQ(writer.state(), QProcess::NotRunning);
    ASSERT_EQ(writer.exitStatus(), QProcess::NormalExit);
    ASSERT_EQ(writer.exitCode(), 0);
    ASSERT_EQ(live.tail().consumed().value, static_cast<std::int64_t>(fs::file_size(log)));

    for (const ChatChannel channel :
         {ChatChannel::Normal, ChatChannel::Open, ChatChannel::Team, ChatChannel::Club,
          ChatChannel::Whis, ChatChannel::Shout, ChatChannel::Battle, ChatChannel::System}) {
        const std::string key(ruv::settingsKey(channel));
        const auto it = expected.find(key);
        const std::vector<std::string> want =
            it == expected.end() ? std::vector<std::string>{} : it->second;
        const std::vector<std::string> got = viewLines(*window.view(channel));
        ASSERT_EQ(got.size(), want.size()) << key;
        EXPECT_TRUE(got == want) << key << ": the lines differ";
    }

    // Latency: from the write that completed a line to the slice that routed it.
    const std::vector<Sample> writes = readTiming(timing);
    ASSERT_FALSE(writes.empty());
    std::vector<double> latencies;
    for (std::size_t feed = bytes.find('\n'); feed != std::string::npos;
         feed = bytes.find('\n', feed + 1)) {
        const auto lineEnd = static_cast<std::int64_t>(feed + 1);
        const std::int64_t written = timeReaching(writes, lineEnd);
        const auto seen = std::lower_bound(
            routed.begin(), routed.end(), lineEnd,
            [](const Sample& sample, std::int64_t value) { return sample.offset < value; });
        if (written < 0 || seen == routed.end()) {
            continue;
        }
        latencies.push_back(static_cast<double>(seen->nanoseconds - written) / 1e6);
    }
    ASSERT_GE(latencies.size(), 100'000u);
    std::sort(latencies.begin(), latencies.end());
    const double p50 = latencies[latencies.size() / 2];
    const double p99 = latencies[latencies.size() * 99 / 100];
    std::printf(
        "chunks of up to %zu bytes (%zu writes, %zu slices): write-to-view latency "
        "over %zu lines: p50 %.2f ms, p99 %.2f ms\n",
        maxChunk, writes.size(), routed.size(), latencies.size(), p50, p99);
    RecordProperty("latency_p50_ms", std::to_string(p50));
    RecordProperty("latency_p99_ms", std::to_string(p99));
}

INSTANTIATE_TEST_SUITE_P(Chunks, FollowInWindow, ::testing::Values(300u * 1024u, 2000u));

}  // namespace
