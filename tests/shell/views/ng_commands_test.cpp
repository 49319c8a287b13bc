// NGユーザーに追加, NGワードに追加, NGユーザーから削除, NGワードから削除 and the NG
// settings dialog, through the real window.

#include <QCheckBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <filesystem>
#include <fstream>

#include "core/views/ng_lists.h"
#include "loggen/log_generator.h"
#include "shell/log/live_log.h"
#include "shell/views/ng_dialog.h"
#include "shell/views/view_commands_fixture.h"

namespace ruv::testing {
namespace {

using Shown = ViewCommandMessages::Shown;

class NgCommands : public ViewCommandsTest {
  protected:
    // Selects text in the 一般 view, holding "line", and makes 一般 active.
    void selectInOpen(const char* utf8Line, std::int64_t start, std::int64_t length) {
        ChannelView* open = view(ChatChannel::Open);
        lines(ChatChannel::Open).clear();
        lines(ChatChannel::Open).append(sj(utf8Line));
        lines(ChatChannel::Open).append("next line");
        open->select(ByteOffset{start}, ByteOffset{length});
        activate(Tab::Open);
    }
    Shown plain(const QString& text) const { return {MessageKind::Plain, text}; }
};

TEST_F(NgCommands, NothingSelectedIsRefusedWithAWarning) {
    lines(ChatChannel::Open).append("Troll : spam");
    activate(Tab::Open);
    window->addNgUser();
    // The 経験値情報 tab has no view: its selection counts as empty.
    view(ChatChannel::Open)->selectAll();
    activate(Tab::ExpMonitor);
    window->removeNgWord();
    const Shown refused{MessageKind::Warning, QStringLiteral("文字が選択されていません。")};
    EXPECT_EQ(messages.shown, (std::vector<Shown>{refused, refused}));
    EXPECT_TRUE(window->ngLists().users.empty());
}

TEST_F(NgCommands, SelectionOverALineEndIsRefusedWithTheThreeLineMessage) {
    selectInOpen("Troll", 0, 7);  // "Troll" and its line break
    window->addNgUser();
    window->removeNgWord();
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(
        messages.shown[0],
        (Shown{MessageKind::Warning,
               QStringLiteral("文章が複数行選択されているため、NGユーザーリストに追加出来ません"
                              "。\n再度NGユーザーリストに追加したいユーザー名を選択し直して"
                              "ください。\n（行末の改行文字まで選択されてる可能性があります"
                              "）")}));
    EXPECT_TRUE(messages.shown[1].text.startsWith(
        QStringLiteral("文章が複数行選択されているため、NGワードリストから削除出来ません。\n")));
    EXPECT_TRUE(window->ngLists().users.empty());
}

TEST_F(NgCommands, AddThenDuplicateShowsThePlainResultBoxes) {
    selectInOpen("荒らし : spam", 0, 6);  // 荒らし
    std::vector<std::size_t> entriesWhenShown;
    messages.onShow = [&] { entriesWhenShown.push_back(window->ngLists().users.size()); };
    window->addNgUser();
    window->addNgUser();
    EXPECT_EQ(
        messages.shown,
        (std::vector<Shown>{
            plain(QStringLiteral("「荒らし」をNGユーザーリストに追加しました。")),
            plain(QStringLiteral("この「荒らし」は既にNGユーザーリストに含まれています。"))}));
    EXPECT_EQ(window->ngLists().users, std::vector<std::string>{sj("荒らし")});
    // The entry is in the list by the time the "added" box shows.
    EXPECT_EQ(entriesWhenShown, (std::vector<std::size_t>{1, 1}));
}

TEST_F(NgCommands, TwiceListedWordShowsTwoBoxesAndRemovesOnlyTheLaterCopy) {
    window->ngLists().words = {"spam", "other", "spam"};
    selectInOpen("Troll : spam", 8, 4);
    window->addNgWord();
    EXPECT_EQ(messages.shown,
              (std::vector<Shown>(
                  2, plain(QStringLiteral("この「spam」は既にNGワードリストに含まれています。")))));
    messages.shown.clear();

    window->removeNgWord();
    const Shown removing{MessageKind::Information,
                         QStringLiteral("この「spam」をNGワードリストから削除します。")};
    EXPECT_EQ(
        messages.shown,
        (std::vector<Shown>{removing, removing,
                            plain(QStringLiteral("「spam」をNGワードリストから削除しました。"))}));
    EXPECT_EQ(window->ngLists().words, (std::vector<std::string>{"spam", "other"}));
}

TEST_F(NgCommands, RemovingAnUnlistedNameShowsOnlyTheNotListedBox) {
    window->ngLists().users = {"Troll ", "troll"};
    selectInOpen("Troll : spam", 0, 5);
    window->removeNgUser();
    EXPECT_EQ(messages.shown, (std::vector<Shown>{plain(QStringLiteral(
                                  "この「Troll」はNGユーザーリストに登録されていません。"))}));
    EXPECT_EQ(window->ngLists().users.size(), 2u);
}

TEST_F(NgCommands, ChatTextReachesTheBoxAsPlainTextUnchanged) {
    selectInOpen("<b>x</b>", 0, 8);
    window->addNgWord();
    EXPECT_EQ(shownText(0), QStringLiteral("「<b>x</b>」をNGワードリストに追加しました。"));
}

TEST_F(NgCommands, AddedUserHoldsBackTheNextRoutedLine) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::filesystem::path log = dir.filePath("MHChatLog_2024_05_01.html").toStdString();
    loggen::LogGenerator generator{7};
    std::ofstream(log, std::ios::binary) << generator.header();
    const auto chatLine = [&](const char* utf8Body) {
        return generator
                   .makeLine(colours::kOpenWhite, loggen::TagBlockForm::BlankBefore, sj(utf8Body))
                   .bytes +
               "\n";
    };

    selectInOpen("ソラ : うるさい", 0, 4);  // ソラ
    window->addNgUser();
    window->ngUserSwitch()->setChecked(true);
    window->liveLog().attach(
        log, ByteOffset{static_cast<std::int64_t>(std::filesystem::file_size(log))});
    std::ofstream(log, std::ios::binary | std::ios::app)
        << chatLine("ソラ : まだいる") << chatLine("Kai : hello");
    window->liveLog().catchUp();

    EXPECT_EQ(view(ChatChannel::NG)->lineCount().value, 1);
    EXPECT_NE(view(ChatChannel::NG)->text().find(sj("まだいる")), std::string::npos);
    EXPECT_EQ(view(ChatChannel::Normal)->lineCount().value, 1);
    EXPECT_EQ(view(ChatChannel::Normal)->text().find(sj("まだいる")), std::string::npos);
}

class NgDialogTest : public ViewCommandsTest {
  protected:
    NgDialog* open() {
        window->ngSettingsButton()->click();
        NgDialog* dialog = window->ngDialog();
        EXPECT_NE(dialog, nullptr);
        return dialog;
    }
};

TEST_F(NgDialogTest, OpensFilledFromTheListsEveryTime) {
    window->ngLists().users = {sj("荒らし"), "Troll"};
    window->ngLists().words = {"spam"};
    NgDialog* dialog = open();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(dialog->isModal());
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("NGフィルターの設定"));
    EXPECT_EQ(dialog->userMemo()->toPlainText(), QStringLiteral("荒らし\nTroll\n"));
    EXPECT_EQ(dialog->wordMemo()->toPlainText(), QStringLiteral("spam\n"));
    EXPECT_EQ(dialog->userMemo()->lineWrapMode(), QPlainTextEdit::NoWrap);
    EXPECT_TRUE(dialog->note()->isReadOnly());
    const QString note = dialog->note()->toPlainText();
    EXPECT_TRUE(note.startsWith(
        QStringLiteral("＜簡易説明書＞\nユーザー・ワードのNG検索は、1行ずつになります。")));
    EXPECT_TRUE(
        note.endsWith(QStringLiteral("NG対象にするユーザー・ワードを設定する時に注意して"
                                     "ください。")));

    dialog->userMemo()->setPlainText(QStringLiteral("edited"));
    dialog->cancelClicked();
    window->ngLists().words.push_back("later");
    EXPECT_EQ(open(), dialog) << "the dialog is created once";
    EXPECT_EQ(dialog->userMemo()->toPlainText(), QStringLiteral("荒らし\nTroll\n"));
    EXPECT_EQ(dialog->wordMemo()->toPlainText(), QStringLiteral("spam\nlater\n"));
}

TEST_F(NgDialogTest, OkReplacesBothListsLineByLine) {
    window->ngLists().users = {"Troll"};
    window->ngLists().words = {"spam"};
    NgDialog* dialog = open();
    ASSERT_NE(dialog, nullptr);
    dialog->userMemo()->setPlainText(QStringLiteral("荒らし\n\n spam \nspam\nspam\n"));
    dialog->wordMemo()->setPlainText(QString());
    dialog->okButton()->click();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(window->ngLists().users,
              (std::vector<std::string>{sj("荒らし"), "", " spam ", "spam", "spam"}));
    EXPECT_TRUE(window->ngLists().words.empty());
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(NgDialogTest, CancelAndClosingLeaveTheListsAlone) {
    window->ngLists().users = {"Troll"};
    NgDialog* dialog = open();
    ASSERT_NE(dialog, nullptr);
    dialog->userMemo()->setPlainText(QStringLiteral("changed"));
    dialog->cancelButton()->click();
    EXPECT_FALSE(dialog->isVisible());
    open();
    dialog->userMemo()->setPlainText(QStringLiteral("changed"));
    dialog->close();
    EXPECT_EQ(window->ngLists().users, std::vector<std::string>{"Troll"});
}

TEST_F(NgDialogTest, TextShiftJisCannotHoldIsRefusedAndTheDialogStaysOpen) {
    window->ngLists().users = {"Troll"};
    window->ngLists().words = {"spam"};
    NgDialog* dialog = open();
    ASSERT_NE(dialog, nullptr);
    dialog->userMemo()->setPlainText(QStringLiteral("fine"));
    dialog->wordMemo()->setPlainText(QStringLiteral("ok\nsmile 😀\n"));
    dialog->okClicked();
    EXPECT_TRUE(dialog->isVisible());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].kind, MessageKind::Warning);
    EXPECT_TRUE(messages.shown[0].text.contains(QStringLiteral("NGワードリスト")));
    EXPECT_TRUE(messages.shown[0].text.contains(QStringLiteral("「😀」")));
    EXPECT_EQ(window->ngLists().users, std::vector<std::string>{"Troll"});
    EXPECT_EQ(window->ngLists().words, std::vector<std::string>{"spam"});

    dialog->wordMemo()->setPlainText(QStringLiteral("smile\n"));
    dialog->okClicked();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(window->ngLists().users, std::vector<std::string>{"fine"});
    EXPECT_EQ(window->ngLists().words, std::vector<std::string>{"smile"});
}

}  // namespace
}  // namespace ruv::testing
