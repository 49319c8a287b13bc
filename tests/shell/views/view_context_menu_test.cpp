// PopupMenu1: its entries, and copy and select-all on the active tab's view.

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QTextCursor>

#include <QContextMenuEvent>

#include <optional>

#include "core/platform/text_file.h"
#include "core/views/ng_lists.h"
#include "core/views/view_text_file.h"
#include "shell/platform/qt_text.h"
#include "shell/views/view_commands_fixture.h"
#include "shell/views/view_save_dialog.h"
#include "support/temp_folder.h"

namespace ruv::testing {
namespace {

using ContextMenu = ViewCommandsTest;

// Opens the menu with a right click on a line of the view, as the user does.
void rightClickLine(ChannelView& channelView, std::size_t line) {
    const int height = channelView.fontMetrics().lineSpacing();
    const QPoint at(4, static_cast<int>(line) * height + height / 2);
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, channelView.viewport()->mapToGlobal(at));
    QApplication::sendEvent(channelView.viewport(), &event);
}

QAction* entry(const MainWindow& window, const char* name) {
    return window.popupMenu()->findChild<QAction*>(QString::fromLatin1(name));
}

class ChosenFile final : public ViewSaveDialog {
  public:
    std::optional<ViewSaveChoice> chooseFile(const QString& suggestedName) override {
        suggested = suggestedName;
        return choice;
    }
    std::optional<ViewSaveChoice> choice;
    QString suggested;
};

TEST_F(ContextMenu, HoldsTheCommandsInOrderWithSeparators) {
    QMenu* menu = window->popupMenu();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->objectName(), QStringLiteral("PopupMenu1"));
    QStringList entries;
    for (const QAction* action : menu->actions()) {
        entries << (action->isSeparator()
                        ? QStringLiteral("-")
                        : action->objectName() + QLatin1Char(' ') + action->text());
    }
    EXPECT_EQ(entries, (QStringList{
                           QStringLiteral("Copy1 コピー(&C)"),
                           QStringLiteral("CopySpeakerName 発言者の名前をコピー(&N)"),
                           QStringLiteral("-"),
                           QStringLiteral("SelectAll1 すべて選択(&A)"),
                           QStringLiteral("-"),
                           QStringLiteral("Find1 検索(&F)"),
                           QStringLiteral("-"),
                           QStringLiteral("NGUserAdd01 NGユーザーに追加"),
                           QStringLiteral("NGWordAdd01 NGワードに追加"),
                           QStringLiteral("-"),
                           QStringLiteral("NGUserDel01 NGユーザーから削除"),
                           QStringLiteral("NGWordDel01 NGワードから削除"),
                           QStringLiteral("-"),
                           QStringLiteral("SaveViewLines このタブを保存(&S)…"),
                       }));
    const QAction* find = window->popupMenu()->findChild<QAction*>(QStringLiteral("Find1"));
    EXPECT_EQ(find->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F));
    EXPECT_TRUE(window->actions().contains(find)) << "Ctrl+F must work outside the menu";
}

TEST_F(ContextMenu, EveryChannelViewOffersItAndTheErrorLogDoesNot) {
    for (int index = 0; index <= pageIndex(Tab::System); ++index) {
        const ChannelView* channelView = view(*ViewOfTab(index));
        EXPECT_EQ(channelView->contextMenuPolicy(), Qt::CustomContextMenu) << index;
    }
    EXPECT_NE(window->errorLog()->contextMenuPolicy(), Qt::CustomContextMenu);
}

struct SpeakerCase {
    ChatChannel view;
    const char* line;  // UTF-8, as the view shows it
    Colour colour;
    const char* speaker;  // null: the entry is disabled
};

TEST_F(ContextMenu, CopiesTheSpeakerOfTheLineUnderThePointerOnEveryView) {
    const SpeakerCase cases[] = {
        {ChatChannel::Normal, "[12/07 20:01:48] 能登 : こんにちは", colours::kOpenGreen, "能登"},
        {ChatChannel::Open, "[12/07 20:01:48] Ab c : 白い", colours::kOpenWhite, "Ab c"},
        {ChatChannel::Team, "[12/07 20:01:48] 黒猫 : 集合 : 今", colours::kTeam, "黒猫"},
        {ChatChannel::Club, "[12/07 20:01:48] ソ : x", colours::kClub, "ソ"},
        {ChatChannel::Whis, "[12/07 20:01:48] 表示 : 耳", colours::kWhis, "表示"},
        {ChatChannel::Shout, "[12/07 20:01:48] 叫ぶ人 : おーい", colours::kShout, "叫ぶ人"},
        {ChatChannel::Shout, "[12/07 20:01:48] 続きの行", colours::kShout, nullptr},
        {ChatChannel::Original, "[12/07 20:01:48] 猫 : 混ぜた", colours::kWhis, "猫"},
        {ChatChannel::Original, "[12/07 20:01:48] 経験値が 1 : 2", colours::kBattle, nullptr},
        {ChatChannel::NG, "[12/07 20:01:48] 嫌な人 : 言葉", colours::kClub, "嫌な人"},
        {ChatChannel::Battle, "[12/07 20:01:48] 経験値が 5 : 上がりました。", colours::kBattle,
         nullptr},
        {ChatChannel::System, "[12/07 20:01:48] 告知 : 保守", colours::kSystemRed, nullptr},
        {ChatChannel::Whis, "[12/07 20:01:48]  : 名無し", colours::kWhis, nullptr},
    };
    window->show();
    for (const SpeakerCase& c : cases) {
        SCOPED_TRACE(c.line);
        activate(tabOf(c.view));
        ChannelView& channelView = *view(c.view);
        lines(c.view).clear();
        lines(c.view).append(sj("[12/07 20:01:40] 上の人 : 前の行"), colours::kWhis);
        lines(c.view).append(sj(c.line), c.colour);
        QApplication::processEvents();
        channelView.selectAll();  // a selection elsewhere does not decide the line

        rightClickLine(channelView, 1);
        EXPECT_EQ(entry(*window, "CopySpeakerName")->isEnabled(), c.speaker != nullptr);
        EXPECT_TRUE(entry(*window, "SaveViewLines")->isEnabled());
        window->popupMenu()->hide();
        QApplication::clipboard()->setText(QStringLiteral("before"));
        entry(*window, "CopySpeakerName")->trigger();
        EXPECT_EQ(QApplication::clipboard()->text(),
                  c.speaker ? QString::fromUtf8(c.speaker) : QStringLiteral("before"));
    }
}

TEST_F(ContextMenu, BothNewEntriesAreDisabledOnAnEmptyView) {
    window->show();
    for (int index = 0; index <= pageIndex(Tab::System); ++index) {
        const ChatChannel channel = *ViewOfTab(index);
        activate(tabOf(channel));
        rightClickLine(*view(channel), 0);
        EXPECT_FALSE(entry(*window, "CopySpeakerName")->isEnabled()) << index;
        EXPECT_FALSE(entry(*window, "SaveViewLines")->isEnabled()) << index;
        window->popupMenu()->hide();
    }
}

TEST_F(ContextMenu, SavesTheViewsLinesInUtf8OrShiftJis) {
    TempFolder folder;
    ChosenFile dialog;
    window->useViewSaveDialog(&dialog);
    activate(Tab::Team);
    lines(ChatChannel::Team).append(sj("[12/07 20:01:48] 黒猫 : こんにちは"), colours::kTeam);
    lines(ChatChannel::Team).append(sj("[12/07 20:01:49] 白猫 : ～①"), colours::kTeam);
    const std::string utf8 =
        "[12/07 20:01:48] 黒猫 : こんにちは\r\n[12/07 20:01:49] 白猫 : ～①\r\n";

    const std::filesystem::path utf8File = folder / "チーム.txt";
    dialog.choice = ViewSaveChoice{toQString(utf8File), TextFileEncoding::Utf8};
    window->saveViewLines();
    EXPECT_EQ(dialog.suggested, QStringLiteral("チーム.txt"));
    EXPECT_EQ(platform::readWholeFile(utf8File).bytes, utf8);

    const std::filesystem::path sjisFile = folder / "sjis.txt";
    platform::writeWholeFileAtomically(sjisFile, "older and longer content than the new one");
    dialog.choice = ViewSaveChoice{toQString(sjisFile), TextFileEncoding::ShiftJis};
    window->saveViewLines();
    EXPECT_EQ(platform::readWholeFile(sjisFile).bytes, sj(utf8));
    EXPECT_TRUE(messages.shown.empty());

    // A folder that is not there: a warning naming the file, and no file.
    const std::filesystem::path nowhere = folder / "missing" / "x.txt";
    dialog.choice = ViewSaveChoice{toQString(nowhere), TextFileEncoding::Utf8};
    window->saveViewLines();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].kind, MessageKind::Warning);
    EXPECT_TRUE(messages.shown[0].text.contains(toQString(nowhere)));
    EXPECT_FALSE(std::filesystem::exists(nowhere));

    // Cancelled: nothing is written.
    dialog.choice.reset();
    window->saveViewLines();
    EXPECT_EQ(messages.shown.size(), 1u);
}

TEST_F(ContextMenu, TriggeringAnEntryRunsItsCommandOnTheActiveView) {
    lines(ChatChannel::Team).append("team line");
    lines(ChatChannel::Normal).append("normal line");
    activate(Tab::Team);
    window->popupMenu()->findChild<QAction*>(QStringLiteral("SelectAll1"))->trigger();
    EXPECT_EQ(view(ChatChannel::Team)->selectedText(), "team line");
    EXPECT_EQ(view(ChatChannel::Normal)->selectionLength().value, 0);
}

TEST_F(ContextMenu, CopyPutsTheActiveViewsSelectionOnTheClipboard) {
    lines(ChatChannel::Whis).append(sj("こんにちは"));
    view(ChatChannel::Whis)->select(ByteOffset{2}, ByteOffset{4});
    activate(Tab::Whis);
    QApplication::clipboard()->setText(QStringLiteral("before"));
    window->copySelection();
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("んに"));
}

TEST_F(ContextMenu, CopyAndSelectAllOnATabWithoutAViewDoNothing) {
    lines(ChatChannel::Normal).append("normal line");
    view(ChatChannel::Normal)->selectAll();
    for (const Tab tab : {Tab::ExpMonitor, Tab::Debug, Tab::Sounds}) {
        activate(tab);
        QApplication::clipboard()->setText(QStringLiteral("before"));
        window->copySelection();
        EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("before")) << pageIndex(tab);
    }
    view(ChatChannel::Normal)->select(ByteOffset{0}, ByteOffset{0});
    window->selectAllInView();
    EXPECT_EQ(view(ChatChannel::Normal)->selectionLength().value, 0);
}

TEST_F(ContextMenu, CopyAndSelectAllActOnTheErrorLog) {
    window->errorLog()->appendPlainText(QStringLiteral("一行目"));
    window->errorLog()->appendPlainText(QStringLiteral("二行目"));
    activate(Tab::ErrorLog);
    window->selectAllInView();
    EXPECT_EQ(window->errorLog()->textCursor().selectedText(),
              QStringLiteral("一行目") + QChar::ParagraphSeparator + QStringLiteral("二行目"));
    QApplication::clipboard()->setText(QStringLiteral("before"));
    window->copySelection();
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("一行目\n二行目"));
}

}  // namespace
}  // namespace ruv::testing
