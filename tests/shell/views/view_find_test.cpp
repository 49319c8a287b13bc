// 検索(&F) and the find dialog FindDialog01 over the active tab's view.

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextCursor>

#include "core/views/ng_lists.h"
#include "shell/views/find_dialog.h"
#include "shell/views/view_commands_fixture.h"

namespace ruv::testing {
namespace {

class ViewFind : public ViewCommandsTest {
  protected:
    void SetUp() override {
        ViewCommandsTest::SetUp();
        dialog = window->findDialog();
        ASSERT_NE(dialog, nullptr);
    }
    // Opens the dialog on the active tab and enters the search text.
    void openFind(const QString& text, FindDirection direction = FindDirection::Down) {
        window->openFind();
        dialog->setFindText(text);
        dialog->setDirection(direction);
    }
    // Presses the find button; the selection of the view afterwards.
    std::pair<std::int64_t, std::int64_t> press(const ChannelView* channelView) {
        dialog->findButton()->click();
        return {channelView->selectionStart().value, channelView->selectionLength().value};
    }
    std::size_t endedCount() const {
        return static_cast<std::size_t>(std::count(
            messages.shown.begin(), messages.shown.end(),
            ViewCommandMessages::Shown{MessageKind::Plain, QStringLiteral("検索が終了しました")}));
    }

    FindDialog* dialog = nullptr;
    using Selection = std::pair<std::int64_t, std::int64_t>;
};

TEST_F(ViewFind, DialogStartsDownwardWithTheFindButtonOnlyWhileTextIsEntered) {
    EXPECT_EQ(dialog->objectName(), QStringLiteral("FindDialog01"));
    EXPECT_FALSE(dialog->isModal());
    EXPECT_EQ(dialog->direction(), FindDirection::Down);
    EXPECT_FALSE(dialog->findButton()->isEnabled());
    dialog->textEdit()->setText(QStringLiteral("a"));
    EXPECT_TRUE(dialog->findButton()->isEnabled());
    dialog->textEdit()->clear();
    EXPECT_FALSE(dialog->findButton()->isEnabled());
}

TEST_F(ViewFind, OpeningLeavesALiveViewFollowingAndSearchesFromTheClickedLine) {
    window->resize(600, 400);
    window->show();
    ChannelView* normal = view(ChatChannel::Normal);
    for (int i = 0; i < 200; ++i) {
        lines(ChatChannel::Normal)
            .append("line " + std::to_string(i) + (i % 10 == 5 ? " hit" : ""));
    }
    QApplication::processEvents();
    QScrollBar* scroll = normal->verticalScrollBar();
    ASSERT_TRUE(normal->isFollowingBottom());
    ASSERT_GT(scroll->value(), 100);
    const int bottom = scroll->value();
    const auto clicked = static_cast<std::size_t>(bottom + 1);
    QTest::mouseClick(normal->viewport(), Qt::LeftButton, {},
                      QPoint(4, normal->fontMetrics().lineSpacing() * 3 / 2));
    ASSERT_EQ(normal->lineStore().lineAt(normal->caret()), clicked);
    const ByteOffset caret = normal->caret();

    window->openFind();
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(scroll->value(), bottom);
    EXPECT_TRUE(normal->isFollowingBottom());
    EXPECT_EQ(normal->caret(), caret);
    lines(ChatChannel::Normal).append("line 200");
    QApplication::processEvents();
    EXPECT_EQ(scroll->value(), bottom + 1) << "the view still follows the new lines";

    dialog->setFindText(QStringLiteral("hit"));
    dialog->findButton()->click();
    const std::size_t found = normal->lineStore().lineAt(normal->selectionStart());
    EXPECT_GE(found, clicked);
    EXPECT_LT(found, clicked + 10);
}

TEST_F(ViewFind, CtrlFInAViewOpensTheDialog) {
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    ChannelView* normal = view(ChatChannel::Normal);
    normal->setFocus();
    QTest::keyClick(normal, Qt::Key_F, Qt::ControlModifier);
    EXPECT_TRUE(dialog->isVisible());
}

TEST_F(ViewFind, DownwardWalksThroughEachMatchThenReportsTheEnd) {
    ChannelView* normal = view(ChatChannel::Normal);
    lines(ChatChannel::Normal).append("abc abc");
    openFind(QStringLiteral("abc"));
    EXPECT_EQ(press(normal), (Selection{0, 3}));
    EXPECT_EQ(press(normal), (Selection{4, 3}));
    EXPECT_EQ(endedCount(), 0u);
    EXPECT_EQ(press(normal), (Selection{4, 3})) << "the selection stays at the end";
    EXPECT_EQ(endedCount(), 1u);
}

TEST_F(ViewFind, UpwardNeverFindsOverlappingMatches) {
    ChannelView* battle = view(ChatChannel::Battle);
    lines(ChatChannel::Battle).append("aaaa");
    activate(Tab::Battle);
    openFind(QStringLiteral("aa"), FindDirection::Up);
    battle->select(ByteOffset{4}, ByteOffset{0});
    EXPECT_EQ(press(battle), (Selection{2, 2}));
    EXPECT_EQ(press(battle), (Selection{0, 2}));
    EXPECT_EQ(press(battle), (Selection{0, 0}));
    EXPECT_EQ(endedCount(), 1u);
}

TEST_F(ViewFind, UpwardFromTheTopReportsTheEndAndKeepsTheCaretAtZero) {
    ChannelView* normal = view(ChatChannel::Normal);
    lines(ChatChannel::Normal).append("abc");
    openFind(QStringLiteral("abc"), FindDirection::Up);
    EXPECT_EQ(press(normal), (Selection{0, 0}));
    EXPECT_EQ(endedCount(), 1u);
}

TEST_F(ViewFind, CaseAlwaysMattersWhateverTheMatchCaseBoxShows) {
    ChannelView* normal = view(ChatChannel::Normal);
    lines(ChatChannel::Normal).append("abc");
    openFind(QStringLiteral("ABC"));
    dialog->matchCaseBox()->setChecked(false);
    EXPECT_EQ(press(normal), (Selection{0, 0}));
    EXPECT_EQ(endedCount(), 1u);
}

TEST_F(ViewFind, JapaneseTrailBytesThatLookLikeTheSearchTextNeverMatch) {
    // ソ is 0x83 0x5C and 表 0x95 0x5C: their second bytes look like "\".
    ChannelView* normal = view(ChatChannel::Normal);
    lines(ChatChannel::Normal).append(sj("ソ表"));
    lines(ChatChannel::Normal).append(sj("x\\"));
    openFind(QStringLiteral("\\"));
    EXPECT_EQ(press(normal), (Selection{7, 1}));
    EXPECT_EQ(normal->selectedText(), "\\");
    EXPECT_EQ(press(normal), (Selection{7, 1}));
    EXPECT_EQ(endedCount(), 1u);
}

TEST_F(ViewFind, FindsJapaneseTextAcrossLinesBothWays) {
    ChannelView* normal = view(ChatChannel::Normal);
    lines(ChatChannel::Normal).append(sj("こんにちは"));
    lines(ChatChannel::Normal).append(sj("さようなら、こんにちは"));
    openFind(QStringLiteral("にちは"));
    EXPECT_EQ(press(normal), (Selection{4, 6}));
    EXPECT_EQ(press(normal), (Selection{28, 6}));
    EXPECT_EQ(normal->selectedText(), sj("にちは"));
    dialog->setDirection(FindDirection::Up);
    EXPECT_EQ(press(normal), (Selection{4, 6}));
}

TEST_F(ViewFind, TextThatOnlyMeetsAcrossALineBreakIsNotAMatch) {
    ChannelView* normal = view(ChatChannel::Normal);
    lines(ChatChannel::Normal).append("ab");
    lines(ChatChannel::Normal).append("cd");
    openFind(QStringLiteral("bc"));
    EXPECT_EQ(press(normal), (Selection{0, 0}));
    EXPECT_EQ(endedCount(), 1u);
}

TEST_F(ViewFind, LinesAppendedBetweenTwoPressesAreSearchedToo) {
    ChannelView* normal = view(ChatChannel::Normal);
    lines(ChatChannel::Normal).append("hit one");
    openFind(QStringLiteral("hit"));
    EXPECT_EQ(press(normal), (Selection{0, 3}));
    lines(ChatChannel::Normal).append("miss");
    lines(ChatChannel::Normal).append("hit two");
    EXPECT_EQ(press(normal), (Selection{15, 3}));
    EXPECT_EQ(endedCount(), 0u);
}

TEST_F(ViewFind, SearchesTheViewOfTheTabActiveAtThePress) {
    lines(ChatChannel::Normal).append("xx target");
    lines(ChatChannel::Club).append("target");
    openFind(QStringLiteral("target"));
    activate(Tab::Club);
    EXPECT_EQ(press(view(ChatChannel::Club)), (Selection{0, 6}));
    EXPECT_EQ(view(ChatChannel::Normal)->selectionLength().value, 0);
}

TEST_F(ViewFind, OnATabWithoutAViewTheDialogOpensAndTheSearchDoesNothing) {
    activate(Tab::ExpMonitor);
    window->openFind();
    EXPECT_TRUE(dialog->isVisible());
    dialog->setFindText(QStringLiteral("x"));
    dialog->findButton()->click();
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ViewFind, SearchTextShiftJisCannotHoldIsRefused) {
    ChannelView* normal = view(ChatChannel::Normal);
    lines(ChatChannel::Normal).append("abc");
    openFind(QStringLiteral("a😀"));
    EXPECT_EQ(press(normal), (Selection{0, 0}));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].kind, MessageKind::Warning);
    EXPECT_TRUE(messages.shown[0].text.contains(QStringLiteral("「😀」")));
}

TEST_F(ViewFind, ErrorLogIsSearchedInItsOwnCharacterPositions) {
    window->errorLog()->appendPlainText(QStringLiteral("エラー一 abc"));
    window->errorLog()->appendPlainText(QStringLiteral("エラー二 abc"));
    activate(Tab::ErrorLog);
    QPlainTextEdit* memo = window->errorLog();
    memo->moveCursor(QTextCursor::Start);
    openFind(QStringLiteral("abc"));

    dialog->findButton()->click();
    EXPECT_EQ(memo->textCursor().selectionStart(), 5);
    EXPECT_EQ(memo->textCursor().selectedText(), QStringLiteral("abc"));
    dialog->findButton()->click();
    EXPECT_EQ(memo->textCursor().selectionStart(), 14);
    dialog->findButton()->click();
    EXPECT_EQ(endedCount(), 1u);
    EXPECT_EQ(memo->textCursor().selectionStart(), 14);

    dialog->setDirection(FindDirection::Up);
    dialog->setFindText(QStringLiteral("ラー"));
    dialog->findButton()->click();
    EXPECT_EQ(memo->textCursor().selectionStart(), 10);
    EXPECT_EQ(memo->textCursor().selectedText(), QStringLiteral("ラー"));
    dialog->findButton()->click();
    EXPECT_EQ(memo->textCursor().selectionStart(), 1);
    dialog->findButton()->click();
    EXPECT_EQ(endedCount(), 2u);
    EXPECT_EQ(memo->textCursor().position(), 0);
}

}  // namespace
}  // namespace ruv::testing
