// The search window over real daily logs in a temporary folder, offscreen.

#include "shell/search/search_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTreeView>

#include "loggen/log_generator.h"
#include "shell/platform/qt_text.h"
#include "shell/search/day_log_window.h"
#include "shell/search/search_results_model.h"
#include "shell/views/channel_view.h"
#include "shell/views/text_size_control.h"
#include "support/log_lines.h"
#include "support/pipe_writer.h"
#include "support/temp_folder.h"

namespace {

using namespace ruv::testing;
using ruv::ChatChannel;

class SearchWindowTest : public ::testing::Test {
  protected:
    SearchWindowTest() {
        writeBytes(logs / "MHChatLog_2024_05_01.html",
                   chatLine("f7b73c", sj("荒らし : 集合")) + "\n" +
                       chatLine("c8ffc8", sj("ミカ : 集合です")) + "\n" +
                       chatLine("64ff64", sj("ユキ : 集合？")) + "\n");
        writeBytes(logs / "MHChatLog_2024_05_02.html",
                   chatLine("c8ffc8", sj("ミカ : こんばんは")) + "\n" +
                       chatLine("94ddfa", sj("カイ : 集合！")) + "\n");
        writeBytes(logs / "MHChatLog_2024_05_03.html", "not a chat log\n");
        switches.SetTabShown(ChatChannel::NG, true);
        switches.ngUsersApplied = true;
        ng.users = {sj("荒らし")};
        window.show();
    }

    // Presses 検索 and waits for the totals; notes whether the bar showed meanwhile.
    void search(const QString& text) {
        QSignalSpy finished(&window, &ruv::SearchWindow::searchFinished);
        window.textEdit()->setText(text);
        window.searchButton()->click();
        barShownWhileSearching = window.progressBar()->isVisible();
        ASSERT_TRUE(finished.wait(10'000));
    }

    QStringList rows() const {
        QStringList shown;
        const auto& model = window.results();
        for (int row = 0; row < model.rowCount(); ++row) {
            shown.push_back(model.data(model.index(row), Qt::DisplayRole).toString());
        }
        return shown;
    }

    TempFolder logs;
    ruv::RouteSettings switches;
    ruv::NgLists ng;
    ruv::SearchWindow window{{switches, ng, [this] { return logs.path(); }, nullptr}};
    bool barShownWhileSearching = false;
};

// A result as コピー puts it on the clipboard.
QString copiedLine(const char* day, const char* channel, const char* text) {
    return QStringLiteral("%1\t%2\t%3\t%4")
        .arg(QLatin1String(day), QLatin1String(kStamp), QString::fromUtf8(channel),
             QString::fromUtf8(text));
}

// A result as its row shows it under the day's heading: the stamp's clock only.
QString resultRow(const char* channel, const char* text) {
    return QStringLiteral("21:0\t%1\t%2").arg(QString::fromUtf8(channel), QString::fromUtf8(text));
}

TEST_F(SearchWindowTest, ListsResultsByDayNewestFirstWithCountsSkippedDaysAndTotals) {
    EXPECT_EQ(window.folderEdit()->text(), ruv::toQString(logs.path()));
    search(QStringLiteral("集合"));
    const QStringList expected{
        QStringLiteral(
            "2024-05-03 スキップ (MHChatLog_2024_05_03.html): チャットログではありません"),
        QStringLiteral("2024-05-02 (1件)"),
        resultRow("クラブ", "カイ : 集合！"),
        QStringLiteral("2024-05-01 (2件)"),
        resultRow("一般", "ミカ : 集合です"),
        resultRow("耳打ち", "ユキ : 集合？"),
    };
    EXPECT_EQ(rows(), expected);
    const auto& model = window.results();
    EXPECT_EQ(model.data(model.index(2), Qt::ForegroundRole).value<QColor>(), QColor(0x94ddfa));
    EXPECT_TRUE(window.statusLabel()->text().startsWith(QStringLiteral("3件 (2日)、2日を検索")))
        << window.statusLabel()->text().toStdString();
    EXPECT_TRUE(window.statusLabel()->text().endsWith(QStringLiteral("、1日スキップ")));
    EXPECT_EQ(window.progressBar()->value(), 3);
    EXPECT_EQ(window.progressBar()->maximum(), 3);
    EXPECT_FALSE(window.progressBar()->isVisible());
    EXPECT_FALSE(window.cancelButton()->isEnabled());
}

TEST_F(SearchWindowTest, NgLinesAreLeftOutUnlessTheTickIncludesThem) {
    search(QStringLiteral("荒らし"));
    EXPECT_EQ(window.results().resultCount(), 0);
    window.includeNgBox()->setChecked(true);
    search(QStringLiteral("荒らし"));
    EXPECT_EQ(window.results().resultCount(), 1);
}

TEST_F(SearchWindowTest, ChannelSpeakerAndDayFiltersNarrowTheResults) {
    window.channelBox(ChatChannel::Club)->setChecked(false);
    search(QStringLiteral("集合"));
    EXPECT_EQ(window.results().resultCount(), 2);
    window.channelBox(ChatChannel::Club)->setChecked(true);
    window.speakerEdit()->setText(QStringLiteral("カイ"));
    search(QStringLiteral("集合"));
    EXPECT_EQ(window.results().resultCount(), 1);
    window.speakerEdit()->clear();
    window.allDaysBox()->setChecked(false);
    window.fromEdit()->setDate(QDate(2024, 5, 1));
    window.toEdit()->setDate(QDate(2024, 5, 1));
    search(QStringLiteral("集合"));
    EXPECT_EQ(rows().size(), 3);
}

TEST_F(SearchWindowTest, ALaterSearchShowsNoResultOfTheOneBefore) {
    window.textEdit()->setText(QStringLiteral("集合"));
    window.searchButton()->click();
    // The first search ends while its results wait in the event queue.
    window.waitForWorker();
    search(QStringLiteral("こんばんは"));
    QTest::qWait(50);
    EXPECT_EQ(rows(), (QStringList{rows().front(), QStringLiteral("2024-05-02 (1件)"),
                                   resultRow("一般", "ミカ : こんばんは")}));
}

TEST_F(SearchWindowTest, CancelStopsTheSearchBeforeEveryDayIsRead) {
    for (int day = 1; day <= 28; ++day) {
        const std::string name =
            "MHChatLog_2024_04_" + std::string(day < 10 ? "0" : "") + std::to_string(day) + ".html";
        writeBytes(logs / name,
                   ruv::loggen::LogGenerator(static_cast<std::uint64_t>(day)).generate(2'000'000));
    }
    QSignalSpy finished(&window, &ruv::SearchWindow::searchFinished);
    window.textEdit()->setText(QStringLiteral("の"));
    window.searchButton()->click();
    EXPECT_TRUE(window.cancelButton()->isEnabled());
    window.cancelButton()->click();
    EXPECT_EQ(finished.count(), 1);
    EXPECT_TRUE(window.statusLabel()->text().startsWith(QStringLiteral("中止: ")));
    EXPECT_LT(window.progressBar()->value(), window.progressBar()->maximum());
}

#ifndef _WIN32
// A read that blocks in the system (a hung network share) stands in a named
// pipe no one writes to, under the newest day's name.
TEST_F(SearchWindowTest, CancelAndCloseReturnAtOnceWhileAReadIsBlocked) {
    PipeWriter pipe(logs / "MHChatLog_2024_05_09.html");
    QSignalSpy finished(&window, &ruv::SearchWindow::searchFinished);
    window.textEdit()->setText(QStringLiteral("集合"));
    window.searchButton()->click();
    // Held open with nothing written, the pipe keeps the worker in its read.
    ASSERT_TRUE(pipe.waitForReader()) << "the search never opened the pipe";
    window.cancelButton()->click();
    EXPECT_EQ(finished.count(), 1);
    EXPECT_TRUE(window.statusLabel()->text().startsWith(QStringLiteral("中止: ")));
    EXPECT_FALSE(window.cancelButton()->isEnabled());
    window.searchButton()->click();  // a new search lets the blocked one go too
    EXPECT_TRUE(window.searching());
    window.close();
    EXPECT_FALSE(window.searching());
    pipe.letGo();  // the end of the pipe lets both abandoned workers go
}
#endif

TEST(SearchResultsModel, ListsResultsUpToItsBoundAndCountsTheRest) {
    ruv::SearchResultsModel model(nullptr, 3);
    const auto results = [](int n) {
        return std::vector<ruv::ResultRow>(static_cast<std::size_t>(n), ruv::ResultRow{});
    };
    model.appendResults({2024, 5, 2}, results(2));
    model.appendResults({2024, 5, 1}, results(2));
    model.countUnlisted({2024, 5, 1}, 5);
    model.appendResults({2024, 4, 30}, results(1));
    EXPECT_EQ(model.listedCount(), 3);
    EXPECT_EQ(model.resultCount(), 10);
    EXPECT_EQ(model.unlistedCount(), 7);
    QStringList headers;
    for (int row = 0; row < model.rowCount(); ++row) {
        if (model.row(row).kind == ruv::ResultRowKind::Day) {
            headers << model.data(model.index(row), Qt::DisplayRole).toString();
        }
    }
    EXPECT_EQ(headers,
              (QStringList{QStringLiteral("2024-05-02 (2件)"), QStringLiteral("2024-05-01 (7件)"),
                           QStringLiteral("2024-04-30 (1件)")}));
    EXPECT_EQ(model.rowCount(), 3 + 3);
}

TEST_F(SearchWindowTest, DoubleClickShowsTheDayAroundTheResultWithTheTextSelected) {
    search(QStringLiteral("集合"));
    auto* day = window.showResultInDay(2);  // 2024-05-02, カイ
    ASSERT_NE(day, nullptr);
    EXPECT_EQ(day->view()->lineCount().value, 2);
    EXPECT_EQ(day->view()->selectedText(), sj("集合"));
    const ruv::LineStore& store = day->view()->lineStore();
    EXPECT_EQ(store.lineAt(day->view()->selectionStart()), 1u);
}

TEST_F(SearchWindowTest, EnterOnAResultOpensItsDayAndEscapeClosesTheDayAndTheWindow) {
    search(QStringLiteral("集合"));
    QTreeView* list = window.resultsView();
    list->setFocus();
    const auto days = [this] { return window.findChildren<ruv::DayLogWindow*>(); };
    // A day's heading has no day to open.
    list->setCurrentIndex(window.results().index(1));
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_TRUE(days().isEmpty());

    list->setCurrentIndex(window.results().index(2));  // 2024-05-02, カイ
    QTest::keyClick(list, Qt::Key_Return);
    ASSERT_EQ(days().size(), 1);
    EXPECT_EQ(days().constFirst()->view()->selectedText(), sj("集合"));
    QTest::keyClick(list, Qt::Key_Enter, Qt::KeypadModifier);
    ASSERT_EQ(days().size(), 2);

    for (ruv::DayLogWindow* day : days()) {
        QTest::keyClick(day->view(), Qt::Key_Escape);
        EXPECT_FALSE(day->isVisible());
    }
    EXPECT_TRUE(window.isVisible());
    QTest::keyClick(list, Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
    window.show();
    QTest::keyClick(window.textEdit(), Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
}

TEST_F(SearchWindowTest, CopyPutsTheSelectedResultLinesOnTheClipboard) {
    search(QStringLiteral("集合"));
    window.resultsView()->selectAll();
    window.copySelection();
    EXPECT_EQ(QApplication::clipboard()->text(),
              copiedLine("2024-05-02", "クラブ", "カイ : 集合！") + QLatin1Char('\n') +
                  copiedLine("2024-05-01", "一般", "ミカ : 集合です") + QLatin1Char('\n') +
                  copiedLine("2024-05-01", "耳打ち", "ユキ : 集合？"));
}

TEST_F(SearchWindowTest, EnterInTheSpeakerFieldSearchesAndATypedDayAsksForTheRange) {
    window.textEdit()->setText(QStringLiteral("集合"));
    window.speakerEdit()->setText(QStringLiteral("カイ"));
    QSignalSpy finished(&window, &ruv::SearchWindow::searchFinished);
    QTest::keyClick(window.speakerEdit(), Qt::Key_Return);
    ASSERT_TRUE(finished.wait(10'000));
    EXPECT_EQ(window.results().resultCount(), 1);

    // A click on the year, then the digits.
    QTest::mouseClick(window.fromEdit()->findChild<QLineEdit*>(), Qt::LeftButton, {}, QPoint(3, 5));
    QTest::keyClicks(window.fromEdit(), QStringLiteral("20240502"));
    EXPECT_EQ(window.fromEdit()->date(), QDate(2024, 5, 2));
    EXPECT_FALSE(window.allDaysBox()->isChecked());
}

TEST_F(SearchWindowTest, ANoResultSearchSaysWhyAndTheBarShowsOnlyWhileSearching) {
    EXPECT_FALSE(window.progressBar()->isVisible());
    window.allDaysBox()->setChecked(false);
    window.fromEdit()->setDate(QDate(2024, 5, 2));
    window.toEdit()->setDate(QDate(2024, 5, 1));
    search(QStringLiteral("集合"));
    EXPECT_TRUE(barShownWhileSearching);
    EXPECT_FALSE(window.progressBar()->isVisible());
    EXPECT_EQ(window.statusLabel()->text(), QStringLiteral("0件: 期間の始まりが終わりより後です"));

    window.allDaysBox()->setChecked(true);
    window.speakerEdit()->setText(QStringLiteral("荒らし"));
    search(QStringLiteral("集合"));
    EXPECT_EQ(window.statusLabel()->text(),
              QStringLiteral("0件: 一致した1行はNGで隠れています。「NGも含める」で表示できます"));

    window.speakerEdit()->clear();
    search(QStringLiteral("解散"));
    EXPECT_TRUE(barShownWhileSearching);
    EXPECT_FALSE(window.progressBar()->isVisible());
    // Nothing in the logs: the totals, no reason.
    EXPECT_TRUE(window.statusLabel()->text().startsWith(QStringLiteral("0件 (0日)、2日を検索、")))
        << window.statusLabel()->text().toStdString();
}

// The main window's part: a parent with the views' font and a view of its own.
class SearchWindowInMainWindow : public ::testing::Test {
  protected:
    SearchWindowInMainWindow() {
        writeBytes(logs / "MHChatLog_2024_05_01.html",
                   chatLine("c8ffc8", sj("ミカ : 集合です")) + "\n");
        QFont font({QStringLiteral("IPAPGothic")});
        font.setPixelSize(12);
        main.setFont(font);
        sizes.addView(mainView);
        main.show();
        window.show();
    }

    TempFolder logs;
    ruv::RouteSettings switches;
    ruv::NgLists ng;
    QWidget main;
    ruv::ViewLines lines;
    ruv::ChannelView mainView{lines, &main};
    ruv::TextSizeControl sizes;
    ruv::SearchWindow window{{switches, ng, [this] { return logs.path(); }, &main, &sizes}};
};

TEST_F(SearchWindowInMainWindow, ResultsAndTheDayViewShowTheMainViewsFontAndFollowItsSize) {
    QSignalSpy finished(&window, &ruv::SearchWindow::searchFinished);
    window.textEdit()->setText(QStringLiteral("集合"));
    window.searchButton()->click();
    ASSERT_TRUE(finished.wait(10'000));
    ruv::DayLogWindow* day = window.showResultInDay(1);
    ASSERT_NE(day, nullptr);
    const auto same = [&](const QWidget& shown) {
        return shown.font().family() == mainView.font().family() &&
               shown.font().pixelSize() == mainView.font().pixelSize();
    };
    const int before = mainView.font().pixelSize();
    QTest::keyClick(window.resultsView()->viewport(), Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_GT(mainView.font().pixelSize(), before);
    EXPECT_TRUE(same(*window.resultsView()));
    EXPECT_TRUE(same(*day->view()));
    QTest::keyClick(day->view()->viewport(), Qt::Key_0, Qt::ControlModifier);
    EXPECT_EQ(window.resultsView()->font().pixelSize(), sizes.size().pixels());
    EXPECT_TRUE(same(*day->view()));
}

TEST_F(SearchWindowInMainWindow, ADoubleClickedResultShowsTheLinesBeforeItInSight) {
    std::string log;
    for (int line = 0; line < 200; ++line) {
        log += chatLine("c8ffc8", sj(line == 45 ? "ミカ : 解散" : "ミカ : まだ")) + "\n";
    }
    writeBytes(logs / "MHChatLog_2024_05_02.html", log);
    QSignalSpy finished(&window, &ruv::SearchWindow::searchFinished);
    window.textEdit()->setText(QStringLiteral("解散"));
    window.searchButton()->click();
    ASSERT_TRUE(finished.wait(10'000));
    ruv::DayLogWindow* day = window.showResultInDay(1);
    ASSERT_NE(day, nullptr);
    QApplication::processEvents();
    const ruv::ChannelView& view = *day->view();
    EXPECT_EQ(view.selectedText(), sj("解散"));
    const auto match = static_cast<int>(view.lineStore().lineAt(view.selectionStart()));
    const int top = view.verticalScrollBar()->value();
    EXPECT_EQ(match, 45);
    EXPECT_GT(match, top);
    EXPECT_LE(match - top, 5);  // a few lines of context, the result near the top
}

}  // namespace
