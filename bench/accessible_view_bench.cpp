// What a screen reader's questions cost in a view of 500,000 lines: the first
// one (the view counts its lines in UTF-16 then), and the line at the end
// after each new line, against decoding the whole text once, which is what a
// view that handed its whole text to accessibility would pay on each question.
#ifdef RUVIVUVAZ_BENCH_SHELL

#include <benchmark/benchmark.h>

#include <QAccessible>

#include <chrono>
#include <string>
#include <vector>

#include "core/text/cp932.h"
#include "shell/views/channel_view.h"
#include "shell/views/line_text.h"

namespace {

constexpr int kLines = 500'000;

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void fill(ruv::ViewLines& view) {
    std::vector<std::string> pool;
    for (int i = 0; i < 997; ++i) {
        pool.push_back(ruv::cp932::fromUtf8("[2024/05/01 21:" + std::to_string(10 + i % 50) +
                                            ":10] 勇者アレン : ボス部屋の前で待ってます！ #" +
                                            std::to_string(i))
                           .value());
    }
    for (int i = 0; i < kLines; ++i) {
        view.append(pool[static_cast<std::size_t>(i) % pool.size()]);
    }
}

QString lastLine(QAccessibleTextInterface& text) {
    int start = 0;
    int end = 0;
    return text.textAtOffset(text.characterCount(), QAccessible::LineBoundary, &start, &end);
}

void BM_AccessibleLastLineOf500kLines(benchmark::State& state) {
    double first = 0;
    double next = 0;
    double whole = 0;
    for (auto _ : state) {
        ruv::ViewLines viewLines;
        ruv::ChannelView view(viewLines);
        fill(viewLines);
        QAccessibleTextInterface* text =
            QAccessible::queryAccessibleInterface(&view)->textInterface();
        auto start = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(lastLine(*text));
        first = secondsSince(start);
        constexpr int kQuestions = 1000;
        start = std::chrono::steady_clock::now();
        for (int i = 0; i < kQuestions; ++i) {
            viewLines.append("[2024/05/01 23:59:00] new line");
            benchmark::DoNotOptimize(lastLine(*text));
        }
        next = secondsSince(start) / kQuestions;
        start = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(ruv::decodeCp932(view.lineStore().bytes()));
        whole = secondsSince(start);
    }
    state.counters["first_question_ms"] = first * 1e3;
    state.counters["next_question_us"] = next * 1e6;
    state.counters["decode_whole_text_ms"] = whole * 1e3;
    state.counters["first_vs_whole"] = first / whole;
    state.counters["next_vs_whole"] = next / whole;
}
BENCHMARK(BM_AccessibleLastLineOf500kLines)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

#endif
