// The main menu: entries in order, captions, names, check marks, radio groups
// and which entries start disabled.

#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include <filesystem>
#include <map>
#include <vector>

#include "shell/app/main_window_fixture.h"
#include "shell/app/session.h"
#include "shell/views/channel_view.h"

namespace ruv::testing {
namespace {

struct Expected {
    const char* name;  // "-" for a separator
    const char* caption;
};

void expectEntries(const QMenu* menu, const std::vector<Expected>& expected) {
    const QList<QAction*> actions = menu->actions();
    ASSERT_EQ(actions.size(), static_cast<qsizetype>(expected.size()))
        << menu->objectName().toStdString();
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const QAction* action = actions[static_cast<qsizetype>(i)];
        if (std::string_view(expected[i].name) == "-") {
            EXPECT_TRUE(action->isSeparator()) << i;
            continue;
        }
        EXPECT_EQ(action->objectName(), QString::fromUtf8(expected[i].name)) << i;
        EXPECT_EQ(action->text(), QString::fromUtf8(expected[i].caption)) << i;
    }
}

using MainMenu = MainWindowTest;

TEST_F(MainMenu, HasFileOptionSpeechAndHelpMenusInThatOrder) {
    const QList<QAction*> top = window->menuBar()->actions();
    ASSERT_EQ(top.size(), 4);
    EXPECT_EQ(top[0]->text(), QStringLiteral("ファイル(&F)"));
    EXPECT_EQ(top[1]->text(), QStringLiteral("オプション(&O)"));
    EXPECT_EQ(top[2]->text(), QStringLiteral("読み上げ(&R)"));
    EXPECT_EQ(top[3]->text(), QStringLiteral("ヘルプ(&H)"));
}

TEST_F(MainMenu, FileMenuListsAttachHistoryAndExit) {
    expectEntries(window->findChild<QMenu*>(QStringLiteral("File1")),
                  {{"O2", "アタッチログ(&O)"},
                   {"LogChange01", "追加アタッチ(&A)"},
                   {"SearchLogs01", "過去ログ検索(&S)"},
                   {"-", ""},
                   {"LogToday01", "Today's Log(&T)"},
                   {"LogYesterday01", "Yesterday's Log(&Y)"},
                   {"-", ""},
                   {"LogHistory00", "&1 Log History 00"},
                   {"LogHistory01", "&2 Log History 01"},
                   {"LogHistory02", "&3 Log History 02"},
                   {"LogHistory03", "&4 Log History 03"},
                   {"LogHistory04", "&5 Log History 04"},
                   {"-", ""},
                   {"Exit1", "終了(&X)"}});
}

TEST_F(MainMenu, DatedAndHistoryEntriesStartDisabled) {
    for (const char* name : {"LogToday01", "LogYesterday01", "LogHistory00", "LogHistory01",
                             "LogHistory02", "LogHistory03", "LogHistory04"}) {
        EXPECT_FALSE(entry(name)->isEnabled()) << name;
    }
    for (const char* name : {"O2", "LogChange01", "Exit1", "SoundOption01", "About1", "Html01"}) {
        EXPECT_TRUE(entry(name)->isEnabled()) << name;
    }
}

TEST_F(MainMenu, OptionMenuHoldsSubmenusAndOptionsInOrder) {
    expectEntries(window->findChild<QMenu*>(QStringLiteral("Option1")),
                  {{"N1", "フィルター設定(&F)"},
                   {"-", ""},
                   {"N10", "時給更新時間の設定(&U)"},
                   {"-", ""},
                   {"N20", "透過設定(&T)"},
                   {"-", ""},
                   {"SoundOption01", "呼び出し音の設定(&S)"},
                   {"RulesOption01", "通知ルールの設定(&R)…"},
                   {"-", ""},
                   {"N22", "ステータスバーに時給を表示(&B)"},
                   {"ResetExpAtNewDay", "日付が変わったらEXPの集計をやり直す(&E)"},
                   {"-", ""},
                   {"N24", "自動で新規ログをアタッチする(&N)"},
                   {"AttachTodayAtStart", "起動時に今日のログをアタッチする(&D)"},
                   {"OldLog01", "アタッチ時に過去ログを整頓する(&P)"},
                   {"NgOnTidy", "過去ログの整理にもNGを適用(&G)"},
                   {"-", ""},
                   {"N14", "常に最前面(&W)"},
                   {"-", ""},
                   {"TextLarger", "文字を大きく(&L)"},
                   {"TextSmaller", "文字を小さく(&M)"},
                   {"TextDefault", "文字の大きさを元に戻す(&Z)"},
                   {"CallAlert", "耳打ち・呼び出しで通知(&C)"}});
}

TEST_F(MainMenu, EntriesShowTheirKeysWhileTheFocusedViewKeepsHandlingThem) {
    const std::pair<const char*, const char*> keys[] = {
        {"TextLarger", "Ctrl++"},        {"TextSmaller", "Ctrl+-"},
        {"TextDefault", "Ctrl+0"},       {"Copy1", "Ctrl+C"},
        {"SelectAll1", "Ctrl+A"},        {"Find1", "Ctrl+F"},
        {"SearchLogs01", "Ctrl+Shift+F"}};
    for (const auto& [name, shown] : keys) {
        EXPECT_EQ(entry(name)->shortcut().toString(QKeySequence::PortableText),
                  QString::fromLatin1(shown))
            << name;
    }
    showWindow();
    ChannelView* team = window->view(ChatChannel::Team);
    window->setActiveTab(Tab::Team);
    team->setFocus();
    const TextSize start = window->session().core.state.textSize;
    QTest::keyClick(team, Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_EQ(window->session().core.state.textSize, start.larger());  // one step, not two
    QTest::keyClick(team, Qt::Key_0, Qt::ControlModifier);
    EXPECT_EQ(window->session().core.state.textSize, TextSize{});
}

TEST_F(MainMenu, OptionCheckEntriesStartWithTheirMarks) {
    EXPECT_TRUE(entry("N22")->isCheckable());
    EXPECT_FALSE(window->session().core.state.statusBarRate);
    EXPECT_TRUE(window->session().core.state.attach.autoAttach);
    EXPECT_FALSE(window->session().core.state.attach.tidyOnAttach);
    EXPECT_FALSE(window->session().core.state.topMost);
    EXPECT_FALSE(entry("SoundOption01")->isCheckable());

    entry("N24")->trigger();
    EXPECT_FALSE(window->session().core.state.attach.autoAttach);
    entry("OldLog01")->trigger();
    EXPECT_TRUE(window->session().core.state.attach.tidyOnAttach);
}

TEST_F(MainMenu, FilterMenuHasOneMarkedEntryPerShowableTab) {
    expectEntries(window->findChild<QMenu*>(QStringLiteral("N1")), {{"NF01", "通常(&N)"},
                                                                    {"NF02", "オープン(&O)"},
                                                                    {"NF03", "チーム(&T)"},
                                                                    {"NF04", "クラブ(&C)"},
                                                                    {"NF05", "耳打ち(&W)"},
                                                                    {"NF06", "叫び(&S)"},
                                                                    {"NF07", "オリジナル(&R)"},
                                                                    {"NF08", "NGフィルター(&G)"},
                                                                    {"NF09", "戦闘情報(&B)"},
                                                                    {"NF10", "システム(&Y)"},
                                                                    {"NF11", "経験値情報(&E)"}});
    for (const char* name :
         {"NF01", "NF02", "NF03", "NF04", "NF05", "NF06", "NF07", "NF08", "NF11"}) {
        EXPECT_TRUE(entry(name)->isChecked()) << name;
    }
    EXPECT_FALSE(entry("NF09")->isChecked());
    EXPECT_FALSE(entry("NF10")->isChecked());
}

TEST_F(MainMenu, IntervalEntriesFormOneRadioGroupWithOneSecondChecked) {
    expectEntries(window->findChild<QMenu*>(QStringLiteral("N10")), {{"NT01", " &1秒"},
                                                                     {"NT05", " &5秒"},
                                                                     {"NT10", "1&0秒"},
                                                                     {"NT30", "&30秒"},
                                                                     {"NT60", "&60秒"},
                                                                     {"NT00", "停止(&S)"}});
    const QActionGroup* group = entry("NT01")->actionGroup();
    ASSERT_NE(group, nullptr);
    EXPECT_TRUE(group->isExclusive());
    EXPECT_EQ(group->actions().size(), 6);
    EXPECT_EQ(group->checkedAction(), entry("NT01"));
    entry("NT30")->trigger();
    EXPECT_EQ(group->checkedAction(), entry("NT30"));
    EXPECT_FALSE(entry("NT01")->isChecked());
    entry("NT30")->trigger();  // choosing the checked entry keeps it checked
    EXPECT_TRUE(entry("NT30")->isChecked());
}

TEST_F(MainMenu, TransparencyEntriesFormOneRadioGroupWithDefaultChecked) {
    expectEntries(window->findChild<QMenu*>(QStringLiteral("N20")), {{"N1001", "デフォルト(&D)"},
                                                                     {"N501", "透過&10%"},
                                                                     {"N601", "透過&20%"},
                                                                     {"N701", "透過&30%"},
                                                                     {"N801", "透過&40%"},
                                                                     {"N901", "透過&50%"}});
    const QActionGroup* group = entry("N1001")->actionGroup();
    ASSERT_NE(group, nullptr);
    EXPECT_TRUE(group->isExclusive());
    EXPECT_EQ(group->actions().size(), 6);
    EXPECT_EQ(group->checkedAction(), entry("N1001"));
    EXPECT_NE(group, entry("NT01")->actionGroup());
}

TEST_F(MainMenu, HelpMenuHasVersionAndHelpFile) {
    expectEntries(window->findChild<QMenu*>(QStringLiteral("Help1")),
                  {{"About1", "バージョン情報(&A)"}, {"Html01", "ヘルプファイルを開く(&H)"}});
}

// Every entry of every menu of the menu bar, the menus themselves and the
// entries a log fills in included, has a mnemonic that no other entry of its
// menu has.
void expectOwnMnemonics(const QList<QAction*>& actions, const QString& where) {
    std::map<QKeySequence, QString> taken;
    for (const QAction* action : actions) {
        if (action->isSeparator()) {
            continue;
        }
        const QKeySequence mnemonic = QKeySequence::mnemonic(action->text());
        EXPECT_FALSE(mnemonic.isEmpty())
            << where.toStdString() << ": " << action->text().toStdString();
        if (mnemonic.isEmpty()) {
            continue;
        }
        const auto [at, added] = taken.emplace(mnemonic, action->text());
        EXPECT_TRUE(added) << where.toStdString() << ": " << action->text().toStdString() << " and "
                           << at->second.toStdString();
        if (const QMenu* submenu = action->menu()) {
            expectOwnMnemonics(submenu->actions(), action->text());
        }
    }
}

TEST_F(MainMenu, EveryEntryHasAMnemonicOfItsOwnWithinItsMenu) {
    expectOwnMnemonics(window->menuBar()->actions(), QStringLiteral("menu bar"));
    // The same once the File menu offers logs whose names and paths hold "&".
    const std::string folder = (std::filesystem::temp_directory_path() / "R&D").string();
    window->logSession().recordHistory(folder + "/a&b.html");
    window->logSession().recordHistory(folder + "/c.html");
    expectOwnMnemonics(window->menuBar()->actions(), QStringLiteral("menu bar with logs"));
    EXPECT_EQ(window->menu().history[0]->text(),
              QString::fromStdString("&1 " + folder + "/c.html")
                  .replace(QStringLiteral("R&D"), QStringLiteral("R&&D")));
}

TEST_F(MainMenu, OnlyTheLogSearchAndSpeechTakeKeysForTheWindowBesideTheAmpersandAccelerator) {
    for (const QAction* action : window->findChildren<QAction*>()) {
        // The views' context menu is not the main menu: its 検索(&F) has Ctrl+F.
        if (action->isSeparator() || window->popupMenu()->actions().contains(action)) {
            continue;
        }
        const qsizetype ampersands = action->text().count(QLatin1Char('&'));
        EXPECT_LE(ampersands, 1) << action->objectName().toStdString();
        // The text size entries only show the keys the views handle.
        if (action->shortcutContext() == Qt::WidgetShortcut) {
            continue;
        }
        // 過去ログ検索(&S) has Ctrl+Shift+F, the 読み上げ entries Ctrl+Alt keys.
        const MenuActions& menu = window->menu();
        const QKeySequence expected =
            action == menu.searchLogs    ? QKeySequence(QStringLiteral("Ctrl+Shift+F"))
            : action == menu.speechSkip  ? QKeySequence(QStringLiteral("Ctrl+Alt+S"))
            : action == menu.speechClear ? QKeySequence(QStringLiteral("Ctrl+Alt+C"))
            : action == menu.speechPause ? QKeySequence(QStringLiteral("Ctrl+Alt+P"))
                                         : QKeySequence();
        EXPECT_EQ(action->shortcut(), expected) << action->objectName().toStdString();
    }
}

}  // namespace
}  // namespace ruv::testing
