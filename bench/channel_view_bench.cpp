// ChannelView against QPlainTextEdit: bulk append of coloured Japanese lines,
// the store's memory per line, and the cost of painting a screenful.
#ifdef RUVIVUVAZ_BENCH_SHELL

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextCharFormat>
#include <QTextCursor>

#include <array>
#include <chrono>
#include <string>
#include <vector>

#include "core/text/cp932.h"
#include "shell/views/channel_view.h"
#include "shell/views/text_size_control.h"

namespace {

constexpr int kViewLines = 1'000'000;
constexpr int kBaselineLines = 20'000;

struct SampleLine {
    std::string bytes;
    QColor colour;
};

// A pool of chat-like lines: time stamp, speaker, Japanese message.
const std::vector<SampleLine>& samples() {
    static const std::vector<SampleLine> pool = [] {
        const std::array<const char*, 6> speakers{"ルヴィ", "勇者アレン", "ねこまた",
                                                  "Kuro",   "白銀の騎士", "まりも"};
        const std::array<const char*, 6> messages{
            "こんにちは、今日もよろしくお願いします",
            "ボス部屋の前で待ってます！",
            "経験値が 12345 上がりました。",
            "装備の強化に成功しました（＋７）",
            "チームメンバーを募集中です。レベル50以上の方どうぞ",
            "了解です"};
        const std::array<QColor, 6> colours{QColor(0xff, 0xff, 0xff), QColor(0xf7, 0xb7, 0x3c),
                                            QColor(0x94, 0xdd, 0xfa), QColor(0x64, 0xff, 0x64),
                                            QColor(0xc8, 0x96, 0xc8), QColor(0xff, 0x64, 0xff)};
        std::vector<SampleLine> lines;
        for (int i = 0; i < 997; ++i) {
            const std::string utf8 = "[2024/05/01 21:" + std::to_string(10 + i % 50) + ":" +
                                     std::to_string(10 + i % 49) + "] " + speakers[i % 6] + " : " +
                                     messages[(i / 6) % 6] + " #" + std::to_string(i);
            lines.push_back({ruv::cp932::fromUtf8(utf8).value(), colours[(i / 3) % 6]});
        }
        return lines;
    }();
    return pool;
}

ruv::Colour coreColour(QColor colour) {
    return ruv::Colour{static_cast<std::uint32_t>(colour.rgb()) & 0xffffffu};
}

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double appendToChannelView(int lines) {
    ruv::ViewLines viewLines;
    ruv::ChannelView view(viewLines);
    view.resize(800, 600);
    view.show();
    QApplication::processEvents();
    const auto& pool = samples();
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < lines; ++i) {
        const SampleLine& line = pool[static_cast<std::size_t>(i) % pool.size()];
        viewLines.append(line.bytes, coreColour(line.colour));
    }
    QApplication::processEvents();  // scroll bars catch up and the bottom is painted
    const double seconds = secondsSince(start);
    benchmark::DoNotOptimize(view.lineCount());
    return seconds;
}

double appendToPlainTextEdit(int lines) {
    QPlainTextEdit edit;
    edit.setReadOnly(true);
    edit.setLineWrapMode(QPlainTextEdit::NoWrap);
    edit.resize(800, 600);
    edit.show();
    QApplication::processEvents();
    const auto& pool = samples();
    const auto start = std::chrono::steady_clock::now();
    QTextCursor cursor(edit.document());
    cursor.movePosition(QTextCursor::End);
    for (int i = 0; i < lines; ++i) {
        const SampleLine& line = pool[static_cast<std::size_t>(i) % pool.size()];
        const std::u16string wide = ruv::cp932::toUtf16(line.bytes);
        QTextCharFormat format;
        format.setForeground(line.colour);
        if (i > 0) {
            cursor.insertBlock();
        }
        cursor.insertText(QString::fromUtf16(wide.data(), static_cast<qsizetype>(wide.size())),
                          format);
    }
    QApplication::processEvents();
    const double seconds = secondsSince(start);
    benchmark::DoNotOptimize(edit.document()->blockCount());
    return seconds;
}

void BM_ChannelViewBulkAppend(benchmark::State& state) {
    for (auto _ : state) {
        const double seconds = appendToChannelView(kViewLines);
        state.SetIterationTime(seconds);
    }
    state.SetItemsProcessed(state.iterations() * kViewLines);
}
BENCHMARK(BM_ChannelViewBulkAppend)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

// Lines a second of both in one run; the budget is a ratio of at least 100.
void BM_ChannelViewVersusPlainTextEdit(benchmark::State& state) {
    double viewRate = 0;
    double baselineRate = 0;
    for (auto _ : state) {
        viewRate = kViewLines / appendToChannelView(kViewLines);
        baselineRate = kBaselineLines / appendToPlainTextEdit(kBaselineLines);
    }
    state.counters["view_lines_per_s"] = viewRate;
    state.counters["baseline_lines_per_s"] = baselineRate;
    state.counters["ratio"] = viewRate / baselineRate;
}
BENCHMARK(BM_ChannelViewVersusPlainTextEdit)->Unit(benchmark::kMillisecond)->Iterations(1);

// The store's own bytes against its text: the budget is at most twice the
// text plus 16 bytes a line (budget_ratio <= 1).
void BM_ChannelViewMemoryPerLine(benchmark::State& state) {
    const auto appended = static_cast<int>(state.range(0));
    double perLine = 0;
    double textPerLine = 0;
    double budgetRatio = 0;
    for (auto _ : state) {
        ruv::ViewLines viewLines;
        ruv::ChannelView view(viewLines);
        const auto& pool = samples();
        for (int i = 0; i < appended; ++i) {
            const SampleLine& line = pool[static_cast<std::size_t>(i) % pool.size()];
            viewLines.append(line.bytes, coreColour(line.colour));
        }
        const ruv::LineStore& store = view.lineStore();
        const auto lines = static_cast<double>(store.size());
        perLine = static_cast<double>(store.memoryBytes()) / lines;
        textPerLine = static_cast<double>(store.textBytes()) / lines;
        budgetRatio = perLine / (2 * textPerLine + 16);
    }
    state.counters["store_bytes_per_line"] = perLine;
    state.counters["text_bytes_per_line"] = textPerLine;
    state.counters["budget_ratio"] = budgetRatio;
}
BENCHMARK(BM_ChannelViewMemoryPerLine)
    ->Arg(100'000)
    ->Arg(500'000)
    ->Arg(kViewLines)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

// One full repaint of an 800x600 view holding 500,000 lines.
void BM_ChannelViewPaintScreenful(benchmark::State& state) {
    ruv::ViewLines viewLines;
    ruv::ChannelView view(viewLines);
    QFont font(QStringLiteral("IPAPGothic"));
    font.setPixelSize(12);
    view.setFont(font);
    view.resize(800, 600);
    view.show();
    const auto& pool = samples();
    for (int i = 0; i < 500'000; ++i) {
        const SampleLine& line = pool[static_cast<std::size_t>(i) % pool.size()];
        viewLines.append(line.bytes, coreColour(line.colour));
    }
    QApplication::processEvents();
    for (auto _ : state) {
        benchmark::DoNotOptimize(view.viewport()->grab());
    }
}
BENCHMARK(BM_ChannelViewPaintScreenful)->Unit(benchmark::kMillisecond);

// A text size step over a 100,000-line view scrolled to its middle, with the
// repaint that follows, against one ordinary repaint of the same view.
void BM_ChannelViewTextSizeChange(benchmark::State& state) {
    ruv::ViewLines lines;
    ruv::ChannelView view(lines);
    ruv::TextSizeControl control;
    view.resize(800, 600);
    view.show();
    const auto& pool = samples();
    for (int i = 0; i < 100'000; ++i) {
        const SampleLine& line = pool[static_cast<std::size_t>(i) % pool.size()];
        lines.append(line.bytes, coreColour(line.colour));
    }
    control.addView(view);
    QApplication::processEvents();
    view.verticalScrollBar()->setValue(50'000);
    constexpr int kRounds = 20;
    double repaint = 0;
    double resize = 0;
    for (auto _ : state) {
        for (int round = 0; round < kRounds; ++round) {
            auto start = std::chrono::steady_clock::now();
            benchmark::DoNotOptimize(view.viewport()->grab());
            repaint += secondsSince(start);
            start = std::chrono::steady_clock::now();
            control.step(round % 2 == 0 ? ruv::TextSizeStep::Larger : ruv::TextSizeStep::Smaller);
            benchmark::DoNotOptimize(view.viewport()->grab());
            resize += secondsSince(start);
        }
    }
    state.counters["repaint_ms"] =
        repaint * 1000 / (kRounds * static_cast<double>(state.iterations()));
    state.counters["size_change_ms"] =
        resize * 1000 / (kRounds * static_cast<double>(state.iterations()));
    state.counters["ratio"] = resize / repaint;
}
BENCHMARK(BM_ChannelViewTextSizeChange)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

#endif  // RUVIVUVAZ_BENCH_SHELL
