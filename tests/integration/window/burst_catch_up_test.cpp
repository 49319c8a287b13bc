// A long burst already in the log when the program attaches it from the start:
// the window catches up in slices and repaints in between. Prints the rate and
// the longest stretch without a repaint of the 通常 view; checks that every
// line lands once.

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <QEvent>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>

#include "shell/app/main_window.h"
#include "shell/log/live_log.h"
#include "shell/views/channel_view.h"
#include "support/paint_times.h"
#include "support/process_helpers.h"

namespace {

using namespace ruv::testing;

constexpr std::uint64_t kSeed = 23;
constexpr std::size_t kBytes = 13'500'000;

using Clock = ruv::testing::PaintClock;
using ruv::testing::millisecondsBetween;
using ruv::testing::PaintTimes;

// Seconds of processor time the test process has used: the rate per processor
// second does not depend on how busy the machine is.
double processorSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& time) {
        return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) / 1e6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

TEST(BurstCatchUp, EveryLineOfALongBurstLandsOnceWhileTheWindowRepaints) {
    TempDir dir;
    const fs::path log = dir.path() / "MHChatLog_2024_05_01.html";
    append(log, ruv::loggen::LogGenerator(kSeed).generate(kBytes));
    const std::vector<std::string> raws = expectedLines(kSeed, kBytes);
    const auto size = static_cast<std::int64_t>(fs::file_size(log));

    ruv::MainWindow window;
    window.setActiveTab(ruv::Tab::Normal);
    window.show();
    ruv::ChannelView* normal = window.view(ruv::ChatChannel::Normal);
    PaintTimes paints;
    normal->viewport()->installEventFilter(&paints);
    std::int64_t routed = 0;
    int slices = 0;
    ruv::LiveLog& live = window.liveLog();
    QObject::connect(&live, &ruv::LiveLog::linesRouted, [&](qint64 count) {
        routed += count;
        ++slices;
    });

    QEventLoop loop;
    QTimer check;
    QObject::connect(&check, &QTimer::timeout, [&] {
        if (live.tail().consumed().value == size) {
            loop.quit();
        }
    });
    check.start(20);
    QTimer::singleShot(120'000, &loop, &QEventLoop::quit);
    const Clock::time_point start = Clock::now();
    const double processorAtStart = processorSeconds();
    live.attach(log, ruv::ByteOffset{0});
    live.watcher().sizeMayHaveChanged();  // as a report of the watcher would
    loop.exec();
    const Clock::time_point end = Clock::now();
    const double processor = processorSeconds() - processorAtStart;
    ASSERT_EQ(live.tail().consumed().value, size);
    EXPECT_EQ(routed, static_cast<std::int64_t>(raws.size()));

    std::vector<double> gaps;
    Clock::time_point previous = start;
    for (const Clock::time_point painted : paints.times) {
        if (painted > start && painted <= end) {
            gaps.push_back(millisecondsBetween(previous, painted));
            previous = painted;
        }
    }
    ASSERT_FALSE(gaps.empty()) << "the view was never painted while catching up";
    std::sort(gaps.begin(), gaps.end());
    const double seconds = millisecondsBetween(start, end) / 1000;
    std::printf(
        "catching up %lld bytes written at once: %.1f MB/s (%.1f MB per processor second), %d "
        "slices, %zu repaints; time between repaints p50 %.2f ms, p99 %.2f ms, longest %.2f "
        "ms\n",
        static_cast<long long>(size), static_cast<double>(size) / 1e6 / seconds,
        static_cast<double>(size) / 1e6 / processor, slices, gaps.size(), gaps[gaps.size() / 2],
        gaps[gaps.size() * 99 / 100], gaps.back());
    RecordProperty("megabytes_per_second",
                   std::to_string(static_cast<double>(size) / 1e6 / seconds));
    RecordProperty("longest_without_repaint_ms", std::to_string(gaps.back()));
}

}  // namespace
