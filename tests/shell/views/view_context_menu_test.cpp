// PopupMenu1: its entries, and copy and select-all on the active tab's view.

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QTextCursor>

#include "core/views/ng_lists.h"
#include "shell/views/view_commands_fixture.h"

namespace ruv::testing {
namespace {

using ContextMenu = ViewCommandsTest;

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
