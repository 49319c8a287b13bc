// One press of the find dialog's button in a view of 500,000 lines, through
// the main window's handler, against a plain memmem over the same bytes.
#ifdef RUVIVUVAZ_BENCH_SHELL

#include <benchmark/benchmark.h>

#include <QApplication>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstring>
#include <functional>
#include <stdexcept>
#include <string>

#include "core/views/find_in_text.h"
#include "shell/app/main_window.h"
#include "shell/app/session.h"
#include "shell/platform/user_messages.h"
#include "shell/views/channel_view.h"
#include "shell/views/find_dialog.h"
#include "support/cp932_text.h"

namespace {

using ruv::testing::sj;

constexpr int kLines = 500'000;
constexpr int kTargetLine = kLines - 20;
constexpr int kEarlyLine = 20;

// A message box would block the run; any box means the press failed.
class RecordedMessages final : public ruv::UserMessages {
  public:
    void show(ruv::MessageKind /*kind*/, const QString& text) override {
        last = text.toStdString();
    }
    ruv::Answer ask(const QString& /*title*/, const QString& text) override {
        last = text.toStdString();
        return ruv::Answer::No;
    }
    std::string last;
};

// A window whose 通常 view holds kLines chat-like lines; one line near the
// end and one near the top hold the search texts.
struct FilledWindow {
    FilledWindow() {
        const std::array<const char*, 6> speakers{"ルヴィ", "勇者アレン", "ねこまた",
                                                  "Kuro",   "白銀の騎士", "まりも"};
        const std::array<const char*, 4> bodies{"こんにちは、今日もよろしくお願いします",
                                                "ボス部屋の前で待ってます！",
                                                "装備の強化に成功しました（＋７）", "了解です"};
        std::vector<std::string> pool;
        for (int i = 0; i < 997; ++i) {
            pool.push_back(sj("[2024/05/01 21:" + std::to_string(10 + i % 50) + ":" +
                              std::to_string(10 + i % 49) + "] " + speakers[i % 6] + " : " +
                              bodies[(i / 6) % 4] + " #" + std::to_string(i)));
        }
        ruv::ViewLines& view = window.session().core.book.lines(ruv::ChatChannel::Normal);
        for (int i = 0; i < kLines; ++i) {
            if (i == kTargetLine) {
                view.append(sj("[2024/05/01 23:59:00] まりも : 目印の宝箱です"));
            } else if (i == kEarlyLine) {
                view.append(sj("[2024/05/01 00:00:20] まりも : 目印の古地図です"));
            } else {
                view.append(pool[static_cast<std::size_t>(i) % pool.size()]);
            }
        }
        window.resize(800, 600);
        window.show();
        QApplication::processEvents();
        setNeedle("目印の宝箱");
    }
    void setNeedle(const char* utf8) {
        needle = sj(utf8);
        window.findDialog()->setFindText(QString::fromUtf8(utf8));
    }
    ruv::ChannelView* view() const { return window.view(ruv::ChatChannel::Normal); }

    RecordedMessages messages;
    ruv::MainWindow window{ruv::AppEnvironment{{}, nullptr, &messages}};
    std::string needle;
};

FilledWindow& filled() {
    static FilledWindow instance;
    return instance;
}

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// One press, down from the top: findNext with the caret at 0.
double pressDown(FilledWindow& f) {
    f.view()->select(ruv::ByteOffset{0}, ruv::ByteOffset{0});
    f.window.findDialog()->setDirection(ruv::FindDirection::Down);
    const auto start = std::chrono::steady_clock::now();
    f.window.findNext();
    const double seconds = secondsSince(start);
    if (f.view()->selectionLength().value != static_cast<std::int64_t>(f.needle.size())) {
        throw std::runtime_error("the press did not find the match: " + f.messages.last);
    }
    return seconds;
}

// One press, up from the end.
double pressUp(FilledWindow& f) {
    f.view()->select(f.view()->lineStore().textLength(), ruv::ByteOffset{0});
    f.window.findDialog()->setDirection(ruv::FindDirection::Up);
    const auto start = std::chrono::steady_clock::now();
    f.window.findNext();
    const double seconds = secondsSince(start);
    if (f.view()->selectionLength().value != static_cast<std::int64_t>(f.needle.size())) {
        throw std::runtime_error("the press did not find the match: " + f.messages.last);
    }
    return seconds;
}

// The baseline: memmem over the whole text (CR LF between lines), built once.
double plainSearch(const std::string& text, const std::string& needle) {
    const auto start = std::chrono::steady_clock::now();
#ifdef __GLIBC__
    const void* hit = memmem(text.data(), text.size(), needle.data(), needle.size());
#else
    const auto hit = std::search(text.begin(), text.end(),
                                 std::boyer_moore_horspool_searcher(needle.begin(), needle.end()));
#endif
    const double seconds = secondsSince(start);
    benchmark::DoNotOptimize(hit);
    return seconds;
}

void reportAgainstBaseline(benchmark::State& state, double pressSeconds, double slowestSeconds) {
    FilledWindow& f = filled();
    const std::string text = f.view()->text();
    // The baseline scans up to the match near the end, as a downward press does.
    const std::string wholeScanNeedle = sj("目印の宝箱");
    double baseline = 0;
    for (int i = 0; i < 5; ++i) {
        const double seconds = plainSearch(text, wholeScanNeedle);
        baseline = i == 0 ? seconds : std::min(baseline, seconds);
    }
    state.counters["press_ms"] = pressSeconds * 1e3;
    state.counters["slowest_ms"] = slowestSeconds * 1e3;
    state.counters["memmem_ms"] = baseline * 1e3;
    state.counters["ratio_to_memmem"] = pressSeconds / baseline;
    state.counters["text_MB"] = static_cast<double>(text.size()) / 1e6;
}

void BM_FindPressDownToAMatchNearTheEnd(benchmark::State& state) {
    FilledWindow& f = filled();
    f.setNeedle("目印の宝箱");
    double slowest = 0;
    double total = 0;
    for (auto _ : state) {
        const double seconds = pressDown(f);
        slowest = std::max(slowest, seconds);
        total += seconds;
        state.SetIterationTime(seconds);
    }
    reportAgainstBaseline(state, total / static_cast<double>(state.iterations()), slowest);
}
BENCHMARK(BM_FindPressDownToAMatchNearTheEnd)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20);

// Up from the end: the arg picks a match near the end (0) or near the top (1),
// the worst case, where the search runs back over nearly the whole text.
void BM_FindPressUpFromTheEnd(benchmark::State& state) {
    FilledWindow& f = filled();
    f.setNeedle(state.range(0) == 0 ? "目印の宝箱" : "目印の古地図");
    double slowest = 0;
    double total = 0;
    for (auto _ : state) {
        const double seconds = pressUp(f);
        slowest = std::max(slowest, seconds);
        total += seconds;
        state.SetIterationTime(seconds);
    }
    reportAgainstBaseline(state, total / static_cast<double>(state.iterations()), slowest);
    f.setNeedle("目印の宝箱");
}
BENCHMARK(BM_FindPressUpFromTheEnd)
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20);

// For comparison: the same press done by copying the view's whole text first.
void BM_FindOverACopyOfTheText(benchmark::State& state) {
    FilledWindow& f = filled();
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const auto outcome =
            ruv::findInText(f.view()->text(), f.needle, {ruv::ByteOffset{0}, ruv::ByteOffset{0}},
                            ruv::FindDirection::Down);
        benchmark::DoNotOptimize(outcome.match);
        state.SetIterationTime(secondsSince(start));
    }
}
BENCHMARK(BM_FindOverACopyOfTheText)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

#endif  // RUVIVUVAZ_BENCH_SHELL
