#include "shell/views/channel_view.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QScrollBar>
#include <QTest>

#include <algorithm>
#include <iterator>
#include <set>
#include <string>
#include <utility>

#include "core/text/cp932.h"
#include "support/cp932_text.h"

namespace {

using ruv::ByteOffset;
using ruv::ChannelView;
using ruv::LineCount;
using ruv::testing::sj;

#ifdef Q_OS_WIN
const QString kNewline = QStringLiteral("\r\n");
#else
const QString kNewline = QStringLiteral("\n");
#endif

// A view as the window shows it: the Japanese proportional font, 12 px.
class ChannelViewTest : public ::testing::Test {
  protected:
    void SetUp() override {
        QFont font(QStringLiteral("IPAPGothic"));
        font.setPixelSize(12);
        view.setFont(font);
        view.resize(400, 200);
        view.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    }

    // Appends a line in the colour given; an invalid one means the default text colour.
    void append(std::string_view text, QColor colour) {
        lines.append(text, colour.isValid()
                               ? ruv::Colour{static_cast<std::uint32_t>(colour.rgb()) & 0xffffffu}
                               : lines.defaultColour());
    }
    void appendNumbered(int from, int to) {
        for (int i = from; i < to; ++i) {
            append("line " + std::to_string(i), QColor());
        }
        settle();
    }

    static void settle() { QApplication::processEvents(); }

    int lineHeight() const { return view.fontMetrics().lineSpacing(); }
    // The line shown at the top of the view.
    std::string topLine() const {
        return std::string(
            view.lineStore().line(static_cast<std::size_t>(view.verticalScrollBar()->value())));
    }

    // The window's default colour for views without their own, as the window sets it.
    ruv::ViewLines lines{ruv::ChatChannel::Normal,
                         ruv::Colour{static_cast<std::uint32_t>(
                                         QApplication::palette().color(QPalette::Base).rgb()) &
                                     0xffffffu}};
    ChannelView view{lines};
};

TEST_F(ChannelViewTest, AppendsLinesAndClearsThem) {
    append(sj("こんにちは"), QColor(Qt::red));
    append("abc", QColor(Qt::green));
    EXPECT_EQ(view.lineCount(), LineCount{2});
    EXPECT_EQ(view.text(), sj("こんにちは") + "\r\nabc");
    EXPECT_EQ(view.lastLineColour(), QColor(Qt::green));

    view.selectAll();
    lines.clear();
    EXPECT_EQ(view.lineCount(), LineCount{0});
    EXPECT_EQ(view.text(), "");
    EXPECT_EQ(view.selectionLength(), ByteOffset{0});
    EXPECT_EQ(view.lastLineColour(), view.defaultTextColour());
}

TEST_F(ChannelViewTest, PaintsEachLineInItsColourOnTheWindowTextBackground) {
    // Default scheme: black background, white default text.
    const QPalette system = QApplication::palette();
    EXPECT_EQ(view.backgroundColour(), system.color(QPalette::Text));

    const std::string squares = sj("■■■■");
    const QColor team(0xf7, 0xb7, 0x3c);
    const QColor whis(0x64, 0xff, 0x64);
    append(squares, team);
    append(squares, QColor());
    append(squares, whis);
    EXPECT_EQ(view.lastLineColour(), whis);
    settle();

    const QImage image = view.viewport()->grab().toImage();
    const auto bandHas = [&](int row, QColor colour) {
        for (int y = row * lineHeight(); y < (row + 1) * lineHeight(); ++y) {
            for (int x = 0; x < 80; ++x) {
                if (image.pixelColor(x, y).rgb() == colour.rgb()) {
                    return true;
                }
            }
        }
        return false;
    };
    EXPECT_TRUE(bandHas(0, team));
    EXPECT_FALSE(bandHas(0, whis));
    EXPECT_TRUE(bandHas(1, view.defaultTextColour()));
    EXPECT_TRUE(bandHas(2, whis));
    EXPECT_FALSE(bandHas(2, team));
    EXPECT_EQ(image.pixelColor(image.width() - 2, image.height() - 2).rgb(),
              view.backgroundColour().rgb());
}

TEST_F(ChannelViewTest, PaintsARuleColourAcrossItsRowWithTheSelectionOverIt) {
    const ruv::Colour rose{0xc03050};
    lines.append("plain", lines.defaultColour());
    lines.append("boss", lines.defaultColour(), rose);
    view.select(ByteOffset{7}, ByteOffset{2});  // "bo"
    settle();

    const QImage image = view.viewport()->grab().toImage();
    const QColor roseColour(0xc0, 0x30, 0x50);
    const int y = lineHeight() + lineHeight() / 2;
    EXPECT_EQ(image.pixelColor(image.width() - 2, y).rgb(), roseColour.rgb());
    EXPECT_EQ(image.pixelColor(image.width() - 2, lineHeight() / 2).rgb(),
              view.backgroundColour().rgb());
    const QColor highlight = view.palette().color(QPalette::Active, QPalette::Highlight);
    bool selectionShown = false;
    for (int x = 0; x < 40; ++x) {
        selectionShown = selectionShown || image.pixelColor(x, y).rgb() == highlight.rgb();
    }
    EXPECT_TRUE(selectionShown);
}

TEST_F(ChannelViewTest, PaintsMarkupAsPlainText) {
    // Rich text would hide the tags and shorten the line.
    append("<b>x</b>", QColor(Qt::white));
    settle();
    view.select(ByteOffset{0}, ByteOffset{8});
    EXPECT_EQ(view.selectedText(), "<b>x</b>");
    const QImage image = view.viewport()->grab().toImage();
    int lastLit = 0;
    for (int x = 0; x < image.width() - 20; ++x) {
        for (int y = 0; y < lineHeight(); ++y) {
            if (image.pixelColor(x, y) != view.backgroundColour()) {
                lastLit = x;
            }
        }
    }
    EXPECT_GT(lastLit, view.fontMetrics().horizontalAdvance(QStringLiteral("<b>x</")));
}

TEST_F(ChannelViewTest, DropsTheOldestLinesBeyondItsCapacityAndKeepsTheSelectionOnItsText) {
    lines.setCapacity(LineCount{100});
    appendNumbered(0, 100);
    const ByteOffset line95 = view.lineStore().lineStart(95);
    view.select(line95, ByteOffset{7});
    ASSERT_EQ(view.selectedText(), "line 95");

    appendNumbered(100, 101);
    EXPECT_EQ(view.lineCount(), LineCount{91});
    EXPECT_EQ(std::string(view.lineStore().line(0)), "line 10");
    EXPECT_EQ(view.selectedText(), "line 95");
    EXPECT_LT(view.selectionStart(), line95);

    appendNumbered(101, 300);
    EXPECT_LE(view.lineCount(), LineCount{100});
    EXPECT_EQ(std::string(view.lineStore().line(view.lineStore().size() - 1)), "line 299");
    // Its text is gone: the selection is empty at the start.
    EXPECT_EQ(view.selectionStart(), ByteOffset{0});
    EXPECT_EQ(view.selectionLength(), ByteOffset{0});
}

TEST_F(ChannelViewTest, SelectsAndCopiesByCp932OffsetsWithCrLfBetweenLines) {
    append(sj("こんにちは"), QColor());  // 10 bytes, then CR LF
    append("abc", QColor());             // starts at 12
    append(sj("日本語"), QColor());      // starts at 17
    settle();

    view.select(ByteOffset{12}, ByteOffset{3});
    EXPECT_EQ(view.selectedText(), "abc");
    view.select(ByteOffset{4}, ByteOffset{17});
    EXPECT_EQ(view.selectionStart(), ByteOffset{4});
    EXPECT_EQ(view.selectionLength(), ByteOffset{17});
    EXPECT_EQ(view.selectedText(), sj("にちは\r\nabc\r\n日本"));

    view.copy();
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("にちは") + kNewline +
                                                     QStringLiteral("abc") + kNewline +
                                                     QStringLiteral("日本"));

    // Positions inside a character or a line break move back to its start.
    view.select(ByteOffset{1}, ByteOffset{4});
    EXPECT_EQ(view.selectionStart(), ByteOffset{0});
    EXPECT_EQ(view.selectedText(), sj("こん"));
    view.select(ByteOffset{11}, ByteOffset{4});
    EXPECT_EQ(view.selectionStart(), ByteOffset{10});
    EXPECT_EQ(view.selectedText(), "\r\nabc");
}

TEST_F(ChannelViewTest, CopyingAnEmptySelectionLeavesTheClipboardAlone) {
    append("abc", QColor());
    QApplication::clipboard()->setText(QStringLiteral("before"));
    view.select(ByteOffset{1}, ByteOffset{0});
    view.copy();
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("before"));
}

TEST_F(ChannelViewTest, SelectAllCoversTheWholeText) {
    append(sj("一般チャット"), QColor());
    append("", QColor());
    append("end", QColor());
    view.selectAll();
    EXPECT_EQ(view.selectionStart(), ByteOffset{0});
    EXPECT_EQ(view.selectionLength(), ByteOffset{static_cast<std::int64_t>(view.text().size())});
    EXPECT_EQ(view.selectedText(), view.text());
    view.copy();
    EXPECT_EQ(QApplication::clipboard()->text(),
              QStringLiteral("一般チャット") + kNewline + kNewline + QStringLiteral("end"));
}

TEST_F(ChannelViewTest, KeyboardMovesAndExtendsTheSelection) {
    append(sj("こんにちは"), QColor());
    append("abc", QColor());
    append(sj("日本語"), QColor());
    settle();
    view.setFocus();
    view.select(ByteOffset{0}, ByteOffset{0});

    QTest::keyClick(&view, Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(&view, Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(view.selectedText(), sj("こん"));
    QTest::keyClick(&view, Qt::Key_End, Qt::ShiftModifier);
    EXPECT_EQ(view.selectedText(), sj("こんにちは"));
    QTest::keyClick(&view, Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(view.selectionLength(), ByteOffset{12});
    QTest::keyClick(&view, Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(view.selectionStart(), ByteOffset{0});
    EXPECT_EQ(view.lineStore().lineAt(view.selectionStart() + view.selectionLength()), 2u);
    QTest::keyClick(&view, Qt::Key_End, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(view.selectedText(), view.text());

    // Without Shift the selection collapses where the caret goes.
    QTest::keyClick(&view, Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(view.selectionStart(), ByteOffset{0});
    EXPECT_EQ(view.selectionLength(), ByteOffset{0});
    QTest::keyClick(&view, Qt::Key_Down);
    QTest::keyClick(&view, Qt::Key_Home);
    QTest::keyClick(&view, Qt::Key_Left);
    EXPECT_EQ(view.selectionStart(), ByteOffset{10});  // end of the first line
    QTest::keyClick(&view, Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(view.selectedText(), sj("は"));

    QTest::keyClick(&view, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(view.selectedText(), view.text());
    QTest::keyClick(&view, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("こんにちは") + kNewline +
                                                     QStringLiteral("abc") + kNewline +
                                                     QStringLiteral("日本語"));
}

// The words of the word moves are those a screen reader is given: every
// press lands on the next start of such a word, or on a line's end or start.
TEST_F(ChannelViewTest, ControlArrowsMoveAndExtendByTheWordsAScreenReaderReads) {
    append(sj("[12/07 20:01:48] 能登 : こんにちは。元気?"), QColor());
    append("", QColor());
    append(sj("  abc def. 42 ｱｲｳ"), QColor());
    settle();
    view.setFocus();
    QAccessibleTextInterface* text = QAccessible::queryAccessibleInterface(&view)->textInterface();
    const QString whole = text->text(0, text->characterCount());
    std::set<int> wordStarts;
    std::set<int> lineEdges{0, static_cast<int>(whole.size())};
    for (int at = 0; at < whole.size(); ++at) {
        int start = 0;
        int end = 0;
        const QString word = text->textAtOffset(at, QAccessible::WordBoundary, &start, &end);
        if (start == at &&
            std::any_of(word.begin(), word.end(), [](QChar c) { return c.isLetterOrNumber(); })) {
            wordStarts.insert(at);
        }
        if (whole[at] == QLatin1Char('\n')) {
            lineEdges.insert({at, at + 1});
        }
    }
    ASSERT_GE(wordStarts.size(), 6u);

    view.select(ByteOffset{0}, ByteOffset{0});
    std::set<int> forward = wordStarts;
    forward.insert(lineEdges.begin(), lineEdges.end());
    for (auto stop = forward.upper_bound(0); stop != forward.end(); ++stop) {
        QTest::keyClick(&view, Qt::Key_Right, Qt::ControlModifier);
        ASSERT_EQ(text->cursorPosition(), *stop);
    }
    QTest::keyClick(&view, Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(text->cursorPosition(), whole.size()) << "the end stays the end";

    // Backward a line's end is no stop: from a line's start to the last word before it.
    std::set<int> backward = wordStarts;
    for (const int edge : lineEdges) {
        if (edge == 0 || whole[edge - 1] == QLatin1Char('\n')) {
            backward.insert(edge);
        }
    }
    for (auto stop = std::make_reverse_iterator(backward.lower_bound(text->cursorPosition()));
         stop != backward.rend(); ++stop) {
        QTest::keyClick(&view, Qt::Key_Left, Qt::ControlModifier);
        ASSERT_EQ(text->cursorPosition(), *stop);
    }

    // With Shift the selection grows by whole words from where it was anchored.
    const int anchor = *wordStarts.begin();
    text->setCursorPosition(anchor);
    QTest::keyClick(&view, Qt::Key_Right, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyClick(&view, Qt::Key_Right, Qt::ControlModifier | Qt::ShiftModifier);
    int start = 0;
    int end = 0;
    text->selection(0, &start, &end);
    EXPECT_EQ(start, anchor);
    EXPECT_EQ(end, *std::next(forward.upper_bound(anchor)));
    QTest::keyClick(&view, Qt::Key_Left, Qt::ControlModifier | Qt::ShiftModifier);
    text->selection(0, &start, &end);
    EXPECT_EQ(std::pair(start, end), std::pair(anchor, *forward.upper_bound(anchor)));
}

TEST_F(ChannelViewTest, PageKeysMoveByAPageAndScroll) {
    appendNumbered(0, 200);
    view.setFocus();
    QTest::keyClick(&view, Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(view.verticalScrollBar()->value(), 0);
    QTest::keyClick(&view, Qt::Key_PageDown, Qt::ShiftModifier);
    const std::size_t page = static_cast<std::size_t>(view.verticalScrollBar()->pageStep());
    EXPECT_GT(page, 5u);
    EXPECT_EQ(view.lineStore().lineAt(view.selectionLength()), page);
    EXPECT_EQ(view.verticalScrollBar()->value(), static_cast<int>(page));
    QTest::keyClick(&view, Qt::Key_PageUp, Qt::ShiftModifier);
    EXPECT_EQ(view.selectionLength(), ByteOffset{0});
    EXPECT_EQ(view.verticalScrollBar()->value(), 0);
}

TEST_F(ChannelViewTest, MouseDragShiftClickAndDoubleClickSelect) {
    append("alpha beta", QColor());
    append(sj("二行目"), QColor());
    append("gamma", QColor());
    settle();
    QWidget* port = view.viewport();
    const int h = lineHeight();

    QTest::mousePress(port, Qt::LeftButton, {}, QPoint(1, h / 2));
    QTest::mouseMove(port, QPoint(port->width() - 10, h + h / 2));
    QTest::mouseRelease(port, Qt::LeftButton, {}, QPoint(port->width() - 10, h + h / 2));
    EXPECT_EQ(view.selectedText(), "alpha beta\r\n" + sj("二行目"));

    QTest::mouseClick(port, Qt::LeftButton, Qt::ShiftModifier,
                      QPoint(port->width() - 10, 2 * h + 2));
    EXPECT_EQ(view.selectedText(), view.text());

    QTest::mouseClick(port, Qt::LeftButton, {}, QPoint(1, 2 * h + 2));
    EXPECT_EQ(view.selectionLength(), ByteOffset{0});
    EXPECT_EQ(view.selectionStart(), view.lineStore().lineStart(2));

    const int inBeta = view.fontMetrics().horizontalAdvance(QStringLiteral("alpha be"));
    QTest::mouseDClick(port, Qt::LeftButton, {}, QPoint(inBeta, h / 2));
    EXPECT_EQ(view.selectedText(), "beta");
}

TEST_F(ChannelViewTest, FollowsTheBottomUntilTheUserScrollsUp) {
    QScrollBar* bar = view.verticalScrollBar();
    appendNumbered(0, 1000);
    EXPECT_TRUE(view.isFollowingBottom());
    EXPECT_EQ(bar->value(), bar->maximum());
    EXPECT_EQ(std::string(view.lineStore().line(view.lineStore().size() - 1)), "line 999");
    appendNumbered(1000, 1010);
    EXPECT_EQ(bar->value(), bar->maximum());
    EXPECT_EQ(bar->maximum(), 1010 - bar->pageStep());

    bar->setValue(300);
    EXPECT_FALSE(view.isFollowingBottom());
    appendNumbered(1010, 1100);
    EXPECT_EQ(bar->value(), 300);
    EXPECT_EQ(topLine(), "line 300");

    bar->setValue(bar->maximum());
    EXPECT_TRUE(view.isFollowingBottom());
    appendNumbered(1100, 1110);
    EXPECT_EQ(bar->value(), bar->maximum());
}

TEST_F(ChannelViewTest, KeepsTheSameLinesInSightWhenOldLinesDropWhileScrolledUp) {
    QScrollBar* bar = view.verticalScrollBar();
    lines.setCapacity(LineCount{1000});
    appendNumbered(0, 1000);
    bar->setValue(500);
    ASSERT_EQ(topLine(), "line 500");

    appendNumbered(1000, 1001);  // drops the oldest 100
    EXPECT_EQ(view.lineCount(), LineCount{901});
    EXPECT_EQ(bar->value(), 400);
    EXPECT_EQ(topLine(), "line 500");
    EXPECT_FALSE(view.isFollowingBottom());

    // Once the lines in sight are gone the view rests at the top.
    appendNumbered(1001, 1600);
    EXPECT_EQ(bar->value(), 0);
}

TEST_F(ChannelViewTest, SelectScrollsTheSelectionIntoView) {
    QScrollBar* bar = view.verticalScrollBar();
    appendNumbered(0, 500);
    const ByteOffset line42 = view.lineStore().lineStart(42);
    view.select(line42, ByteOffset{7});
    EXPECT_EQ(view.selectedText(), "line 42");
    EXPECT_LE(bar->value(), 42);
    EXPECT_GT(bar->value() + bar->pageStep(), 42);
    EXPECT_FALSE(view.isFollowingBottom());

    // A long line: the horizontal bar brings its end into view.
    append(std::string(400, 'x') + "END", QColor());
    settle();
    const ByteOffset longLine = view.lineStore().lineStart(500);
    view.select(longLine + ByteOffset{400}, ByteOffset{3});
    EXPECT_GT(view.horizontalScrollBar()->value(), 0);
    EXPECT_EQ(view.verticalScrollBar()->value(), bar->maximum());
}

TEST_F(ChannelViewTest, HorizontalRangeCoversTheWidestLine) {
    append("short", QColor());
    settle();
    EXPECT_EQ(view.horizontalScrollBar()->maximum(), 0);
    const std::string wide = sj("とても長い行") + std::string(200, 'W');
    append(wide, QColor());
    for (int turn = 0; turn < 4; ++turn) {
        settle();  // a paint refines the estimated range
    }
    const int textWidth =
        view.fontMetrics().horizontalAdvance(QString::fromStdString(ruv::cp932::toUtf8(wide)));
    EXPECT_GE(view.horizontalScrollBar()->maximum() + view.viewport()->width(), textWidth);
}

}  // namespace
