// What the pages hold: the channel views and their colours, the keyword rows,
// the オリジナル, NGフィルター, 経験値情報 and エラーログ pages.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "shell/app/main_window_fixture.h"
#include "shell/app/session.h"
#include "shell/views/channel_view.h"

namespace ruv::testing {
namespace {

QColor rgb(std::uint32_t value) {
    return QColor::fromRgb(static_cast<QRgb>(0xff000000u | value));
}

using ChannelViews = MainWindowTest;

TEST_F(ChannelViews, EveryChannelHasItsNamedViewOnItsOwnPage) {
    struct Case {
        ChatChannel channel;
        const char* name;
    };
    const Case cases[] = {
        {ChatChannel::Normal, "RichEdit01"},   {ChatChannel::Open, "RichEdit02"},
        {ChatChannel::Team, "RichEdit03"},     {ChatChannel::Club, "RichEdit04"},
        {ChatChannel::Whis, "RichEdit05"},     {ChatChannel::Shout, "RichEdit06"},
        {ChatChannel::Battle, "RichEdit07"},   {ChatChannel::System, "RichEdit08"},
        {ChatChannel::Original, "RichEdit09"}, {ChatChannel::NG, "NGRichEdit01"},
    };
    for (const Case& c : cases) {
        ChannelView* view = window->view(c.channel);
        ASSERT_NE(view, nullptr) << c.name;
        EXPECT_EQ(view->objectName(), QString::fromLatin1(c.name));
        EXPECT_TRUE(window->pageControl()->page(tabOf(c.channel))->isAncestorOf(view)) << c.name;
    }
    EXPECT_EQ(window->view(ChatChannel::ExpMonitor), nullptr);
}

TEST_F(ChannelViews, DefaultTextColoursMatchTheChannelColours) {
    const QColor window_ = QApplication::palette().color(QPalette::Base);
    EXPECT_EQ(window->view(ChatChannel::Normal)->defaultTextColour(), window_);
    EXPECT_EQ(window->view(ChatChannel::Open)->defaultTextColour(), window_);
    EXPECT_EQ(window->view(ChatChannel::Original)->defaultTextColour(), window_);
    EXPECT_EQ(window->view(ChatChannel::NG)->defaultTextColour(), window_);
    EXPECT_EQ(window->view(ChatChannel::Team)->defaultTextColour(), rgb(0xf7b73c));
    EXPECT_EQ(window->view(ChatChannel::Club)->defaultTextColour(), rgb(0x94ddfa));
    EXPECT_EQ(window->view(ChatChannel::Whis)->defaultTextColour(), rgb(0x64ff64));
    EXPECT_EQ(window->view(ChatChannel::Shout)->defaultTextColour(), rgb(0xc896c8));
    EXPECT_EQ(window->view(ChatChannel::Battle)->defaultTextColour(), rgb(0xff64ff));
    EXPECT_EQ(window->view(ChatChannel::System)->defaultTextColour(), rgb(0xff6464));
}

TEST_F(ChannelViews, EachViewShowsTheSessionsLinesOfItsChannel) {
    ChannelBook& book = window->session().core.book;
    book.append(ChatChannel::Team, sj("チームの発言"), colours::kTeam);
    book.append(ChatChannel::Normal, "line", colours::kOpenGreen);
    EXPECT_EQ(window->view(ChatChannel::Team)->text(), sj("チームの発言"));
    EXPECT_EQ(window->view(ChatChannel::Club)->lineCount().value, 0);
    EXPECT_EQ(window->view(ChatChannel::Normal)->lastLineColour(), rgb(colours::kOpenGreen.rgb));

    book.clear(ChatChannel::Team);
    EXPECT_EQ(window->view(ChatChannel::Team)->lineCount().value, 0);
    EXPECT_EQ(window->view(ChatChannel::Normal)->lineCount().value, 1);
}

using KeywordRows = MainWindowTest;

TEST_F(KeywordRows, EachChatTabHasADisabledKeywordRowAtStart) {
    const QColor light = QApplication::palette().color(QPalette::Midlight);
    const ChatChannel channels[] = {ChatChannel::Normal, ChatChannel::Open, ChatChannel::Team,
                                    ChatChannel::Club,   ChatChannel::Whis, ChatChannel::Shout};
    int number = 1;
    for (ChatChannel channel : channels) {
        QCheckBox* box = window->keywordCheckBox(channel);
        QLineEdit* edit = window->keywordEdit(channel);
        ASSERT_NE(box, nullptr);
        ASSERT_NE(edit, nullptr);
        EXPECT_EQ(box->objectName(), QStringLiteral("SCheckBox0%1").arg(number));
        EXPECT_EQ(edit->objectName(), QStringLiteral("ChatEdit0%1").arg(number));
        EXPECT_FALSE(box->isChecked());
        EXPECT_FALSE(edit->isEnabled());
        EXPECT_EQ(edit->palette().color(QPalette::Base), light);
        EXPECT_TRUE(window->pageControl()->page(*tabAtIndex(number - 1))->isAncestorOf(edit));
        ++number;
    }
}

TEST_F(KeywordRows, ClickingTheBoxEnablesAndColoursTheTextBox) {
    showWindow();
    window->setActiveTab(Tab::Whis);
    QCheckBox* box = window->keywordCheckBox(ChatChannel::Whis);
    QLineEdit* edit = window->keywordEdit(ChatChannel::Whis);
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(box->height() / 2, box->height() / 2));
    EXPECT_TRUE(box->isChecked());
    EXPECT_TRUE(edit->isEnabled());
    EXPECT_EQ(edit->palette().color(QPalette::Base), QApplication::palette().color(QPalette::Base));

    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(box->height() / 2, box->height() / 2));
    EXPECT_FALSE(edit->isEnabled());
    EXPECT_EQ(edit->palette().color(QPalette::Base),
              QApplication::palette().color(QPalette::Midlight));
}

TEST_F(KeywordRows, KeywordArmsOnlyWhileTickedAndNonEmpty) {
    showWindow();
    window->setActiveTab(Tab::Whis);
    window->setKeywordArmed(ChatChannel::Whis, KeywordSwitch::On);
    EXPECT_EQ(window->keyword(ChatChannel::Whis), "");  // empty: arms nothing

    window->keywordEdit(ChatChannel::Whis)->insert(QStringLiteral("集合"));
    EXPECT_EQ(window->keyword(ChatChannel::Whis), sj("集合"));
    EXPECT_EQ(window->keyword(ChatChannel::Team), "");

    // Unticked: disabled, text kept, nothing armed.
    window->setKeywordArmed(ChatChannel::Whis, KeywordSwitch::Off);
    EXPECT_FALSE(window->keywordCheckBox(ChatChannel::Whis)->isChecked());
    EXPECT_FALSE(window->keywordEdit(ChatChannel::Whis)->isEnabled());
    EXPECT_EQ(window->keywordEdit(ChatChannel::Whis)->text(), QStringLiteral("集合"));
    EXPECT_EQ(window->keyword(ChatChannel::Whis), "");
}

TEST_F(KeywordRows, TextThatCp932CannotHoldIsRefused) {
    window->setKeywordArmed(ChatChannel::Open, KeywordSwitch::On);
    QLineEdit* edit = window->keywordEdit(ChatChannel::Open);
    edit->insert(QStringLiteral("abc"));
    edit->insert(QStringLiteral("😀"));
    EXPECT_EQ(edit->text(), QStringLiteral("abc"));
    EXPECT_EQ(window->keyword(ChatChannel::Open), "abc");
}

using OtherPages = MainWindowTest;

TEST_F(OtherPages, OriginalPageHasSevenMixBoxesSpeechControlsAndAHiddenCallSoundRow) {
    struct Case {
        ChatChannel channel;
        const char* name;
        const char* caption;
    };
    const Case cases[] = {
        {ChatChannel::Open, "ChatLogCheckBox02", "一般"},
        {ChatChannel::Team, "ChatLogCheckBox03", "チーム"},
        {ChatChannel::Club, "ChatLogCheckBox04", "クラブ"},
        {ChatChannel::Whis, "ChatLogCheckBox05", "耳打ち"},
        {ChatChannel::Shout, "ChatLogCheckBox06", "叫び"},
        {ChatChannel::Battle, "ChatLogCheckBox09", "戦闘情報"},
        {ChatChannel::System, "ChatLogCheckBox10", "システム"},
    };
    QWidget* page = window->pageControl()->page(Tab::Original);
    int previousY = -1;
    showWindow();
    window->setActiveTab(Tab::Original);
    for (const Case& c : cases) {
        QCheckBox* box = window->mixCheckBox(c.channel);
        ASSERT_NE(box, nullptr) << c.name;
        EXPECT_EQ(box->objectName(), QString::fromLatin1(c.name));
        EXPECT_EQ(box->text(), QString::fromUtf8(c.caption));
        EXPECT_TRUE(page->isAncestorOf(box));
        EXPECT_GT(box->y(), previousY) << c.name;  // top to bottom in this order
        previousY = box->y();
        EXPECT_FALSE(window->mixCheckBox(c.channel)->isChecked());
        box->setChecked(true);
        EXPECT_TRUE(window->mixCheckBox(c.channel)->isChecked());
    }
    EXPECT_EQ(window->mixCheckBox(ChatChannel::Normal), nullptr);

    EXPECT_EQ(window->speechSettingsButton()->text(), QStringLiteral("毒電波設定"));
    EXPECT_EQ(window->speechSwitch()->objectName(), QStringLiteral("ChatLogCheckBoxBouyomi"));
    EXPECT_EQ(window->speechSwitch()->text(), QStringLiteral("毒電波送信"));
    QComboBox* modes = window->readModeList();
    ASSERT_EQ(modes->count(), 4);
    EXPECT_EQ(modes->itemText(0), QStringLiteral("全て読み上げる（ユーザー別発声設定を有効）"));
    EXPECT_EQ(modes->itemText(1), QStringLiteral("全て読み上げる（ユーザー別発声設定を無効）"));
    EXPECT_EQ(modes->itemText(2), QStringLiteral("発声設定したユーザーだけ読み上げる"));
    EXPECT_EQ(modes->itemText(3), QStringLiteral("発声設定したユーザーだけ読み上げない"));
    EXPECT_EQ(modes->currentIndex(), 0);

    EXPECT_FALSE(window->keywordCheckBox(ChatChannel::Original)->isVisible());
    EXPECT_FALSE(window->keywordEdit(ChatChannel::Original)->isEnabled());
    EXPECT_EQ(window->keyword(ChatChannel::Original), "");
}

TEST_F(OtherPages, NgPageHasTheSettingsButtonAndTwoSwitches) {
    QWidget* page = window->pageControl()->page(Tab::NG);
    EXPECT_EQ(window->ngSettingsButton()->objectName(), QStringLiteral("NGSettingButton01"));
    EXPECT_EQ(window->ngSettingsButton()->text(), QStringLiteral("NGフィルター設定画面"));
    EXPECT_EQ(window->ngUserSwitch()->objectName(), QStringLiteral("NGCheckBox01"));
    EXPECT_EQ(window->ngUserSwitch()->text(), QStringLiteral("NGユーザーを適用"));
    EXPECT_EQ(window->ngWordSwitch()->objectName(), QStringLiteral("NGCheckBox02"));
    EXPECT_EQ(window->ngWordSwitch()->text(), QStringLiteral("NGワードを適用"));
    EXPECT_TRUE(page->isAncestorOf(window->ngUserSwitch()));
    EXPECT_FALSE(window->ngUserSwitch()->isChecked());
    EXPECT_FALSE(window->ngWordSwitch()->isChecked());
}

TEST_F(OtherPages, ExpPageHasBasicExtendedAndChartSubPages) {
    auto* sub = window->findChild<QTabWidget*>(QStringLiteral("ExpPageControl01"));
    ASSERT_NE(sub, nullptr);
    ASSERT_EQ(sub->count(), 3);
    EXPECT_EQ(sub->tabText(0), QStringLiteral("基本情報"));
    EXPECT_EQ(sub->tabText(1), QStringLiteral("拡張情報"));
    EXPECT_EQ(sub->widget(0), window->tabPages().expBasicPage);
    EXPECT_EQ(sub->widget(1), window->tabPages().expExtendedPage);
    EXPECT_EQ(sub->tabText(2), QStringLiteral("グラフ"));
    EXPECT_EQ(sub->widget(2), window->tabPages().expChartPage);
    EXPECT_TRUE(window->pageControl()->page(Tab::ExpMonitor)->isAncestorOf(sub));
}

TEST_F(OtherPages, ErrorLogIsAnEditableMemoWithoutWrap) {
    QPlainTextEdit* log = window->errorLog();
    EXPECT_EQ(log->objectName(), QStringLiteral("ErrorLogMemo01"));
    EXPECT_FALSE(log->isReadOnly());
    EXPECT_EQ(log->lineWrapMode(), QPlainTextEdit::NoWrap);
    window->session().errorLog.append(sj("フィルター処理中にエラーが発生しました(X) 1"));
    window->session().errorLog.append("<b>second</b>");
    EXPECT_EQ(log->toPlainText(),
              QStringLiteral("フィルター処理中にエラーが発生しました(X) 1\n<b>second</b>"));
}

}  // namespace
}  // namespace ruv::testing
