// The search window against the command line over ten days of generated logs:
// the window copies, byte for byte, what `mh_ruvivuvaz-cli search` prints for
// the same question, but for the channel, which it names by its tab. Prints how soon the first
// results show and the longest stretch without a repaint of the results while the search runs.

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QEventLoop>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTimer>
#include <QTreeView>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <numeric>

#include "core/app/settings_folder.h"
#include "core/search/search_channel_name.h"
#include "core/text/cp932.h"
#include "loggen/log_generator.h"
#include "shell/platform/qt_text.h"
#include "shell/search/search_results_model.h"
#include "shell/search/search_window.h"
#include "support/cp932_text.h"
#include "support/paint_times.h"
#include "support/temp_folder.h"

namespace {

using namespace ruv::testing;
using Clock = ruv::testing::PaintClock;
using ruv::testing::millisecondsBetween;
using ruv::testing::PaintTimes;

enum class Bytes { Utf8, Cp932 };

// The lines with each channel named by its settings key, as the command line
// prints it; the window's コピー names it by its tab.
QByteArray keyedChannels(const QByteArray& lines, Bytes bytes) {
    QList<QByteArray> keyed;
    for (QByteArray line : lines.split('\n')) {
        const qsizetype from = line.indexOf('\t', line.indexOf('\t') + 1) + 1;
        const qsizetype to = line.indexOf('\t', from);
        if (from > 0 && to > from) {
            const std::string name = line.sliced(from, to - from).toStdString();
            if (const auto channel = ruv::searchChannelNamed(
                    bytes == Bytes::Cp932 ? ruv::cp932::toUtf8(name) : name)) {
                const std::string_view key = ruv::settingsKey(*channel);
                line.replace(from, to - from,
                             QByteArray(key.data(), static_cast<qsizetype>(key.size())));
            }
        }
        keyed.push_back(line);
    }
    return keyed.join('\n');
}

constexpr int kDays = 10;
constexpr std::size_t kDayBytes = 5'000'000;

class SearchWindowAgainstCli : public ::testing::Test {
  protected:
    SearchWindowAgainstCli() {
        for (int day = 1; day <= kDays; ++day) {
            const ruv::loggen::LogDate date{2024, 5, day};
            writeBytes(logs / ruv::dailyLogName(date.year, date.month, date.day),
                       ruv::loggen::LogGenerator(static_cast<std::uint64_t>(day), date)
                           .generate(kDayBytes));
        }
        std::filesystem::create_directories(settings);
        writeBytes(settings / "config.ini", "NGWordCheck=1\r\nNGUserCheck=1\r\n");
        writeBytes(settings / "nguserlist.txt", sj("黒猫") + "\r\n");
        writeBytes(settings / "ngwordlist.txt", sj("怖い") + "\r\n");
        ruv::loadSettingsFolder(settings, switches, ng);
    }

    // The command line's output for the question. On Linux a process's
    // arguments are UTF-8, so with cp932 only an ASCII text is asked.
    QByteArray cliSearch(const QString& text, const QString& encoding) const {
        QProcess cli;
        cli.start(QDir(QCoreApplication::applicationDirPath()).filePath(RUVIVUVAZ_CLI),
                  {QStringLiteral("search"), text, ruv::toQString(logs.path()),
                   QStringLiteral("--settings"), ruv::toQString(settings),
                   QStringLiteral("--encoding"), encoding});
        EXPECT_TRUE(cli.waitForFinished(60'000)) << cli.errorString().toStdString();
        return cli.readAllStandardOutput();
    }

    TempFolder logs;
    std::filesystem::path settings = logs / "settings";
    ruv::RouteSettings switches;
    ruv::NgLists ng;
};

TEST_F(SearchWindowAgainstCli, TheWindowListsByteForByteWhatTheCommandLinePrints) {
    ruv::SearchWindow window({switches, ng, [this] { return logs.path(); }, nullptr});
    window.resize(760, 520);
    window.show();
    PaintTimes paints;
    window.resultsView()->viewport()->installEventFilter(&paints);
    // A repaint asked for every 4 ms: the gaps between the paints that follow
    // are what a busy event loop makes the user wait.
    QTimer repaint;
    QObject::connect(&repaint, &QTimer::timeout,
                     [&] { window.resultsView()->viewport()->update(); });
    repaint.start(4);

    const QString text = QStringLiteral("能力");
    window.textEdit()->setText(text);
    Clock::time_point firstResults{};
    QObject::connect(window.resultsView()->model(), &QAbstractItemModel::rowsInserted, [&] {
        if (firstResults == Clock::time_point{}) {
            firstResults = Clock::now();
        }
    });
    QEventLoop loop;
    QObject::connect(&window, &ruv::SearchWindow::searchFinished, &loop, &QEventLoop::quit);
    QTimer::singleShot(60'000, &loop, &QEventLoop::quit);
    const Clock::time_point pressed = Clock::now();
    window.searchButton()->click();
    loop.exec();
    const Clock::time_point ended = Clock::now();
    ASSERT_FALSE(window.searching());
    const std::int64_t results = window.results().resultCount();

    window.resultsView()->selectAll();
    window.copySelection();
    const QByteArray copied = QApplication::clipboard()->text().toUtf8() + '\n';
    const QByteArray printed = cliSearch(text, QStringLiteral("utf-8"));
    ASSERT_GT(window.results().resultCount(), 1000);
    EXPECT_TRUE(keyedChannels(copied, Bytes::Utf8) == printed)
        << "the window's " << copied.size() << " bytes differ from the command line's "
        << printed.size();

    // The listed CP932 lines against the command line's CP932 output.
    const QString ascii = QStringLiteral("OK");
    window.textEdit()->setText(ascii);
    window.searchButton()->click();
    loop.exec();
    std::vector<int> all(static_cast<std::size_t>(window.results().rowCount()));
    std::iota(all.begin(), all.end(), 0);
    std::string listed;
    for (const std::string& line : window.results().resultLines(all)) {
        listed += line + '\n';
    }
    ASSERT_GT(listed.size(), 1000u);
    EXPECT_TRUE(keyedChannels(QByteArray::fromStdString(listed), Bytes::Cp932) ==
                cliSearch(ascii, QStringLiteral("cp932")));

    std::vector<double> gaps;
    Clock::time_point previous = pressed;
    for (const Clock::time_point painted : paints.times) {
        if (painted > pressed && painted <= ended) {
            gaps.push_back(millisecondsBetween(previous, painted));
            previous = painted;
        }
    }
    ASSERT_FALSE(gaps.empty());
    std::sort(gaps.begin(), gaps.end());
    const double first = millisecondsBetween(pressed, firstResults);
    std::printf(
        "search of %d days of %zu bytes: %lld results in %.0f ms; first results after "
        "%.1f ms; %zu repaints, between them p50 %.2f ms, p99 %.2f ms, longest %.2f ms\n",
        kDays, kDayBytes, static_cast<long long>(results), millisecondsBetween(pressed, ended),
        first, gaps.size(), gaps[gaps.size() / 2], gaps[gaps.size() * 99 / 100], gaps.back());
    RecordProperty("first_results_ms", std::to_string(first));
    RecordProperty("longest_without_repaint_ms", std::to_string(gaps.back()));
}

}  // namespace
