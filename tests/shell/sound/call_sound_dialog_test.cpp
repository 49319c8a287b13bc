// The call sounds in the main window: start-up restore, the dialog opened from
// its menu entry with its checks, apply and cancel, and a routed line playing
// its channel's sound.

#include <gtest/gtest.h>

#include <QAction>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>

#include <fstream>

#include "core/text/cp932.h"
#include "loggen/log_generator.h"
#include "shell/app/main_window.h"
#include "shell/app/session.h"
#include "shell/log/live_log.h"
#include "shell/sound/call_sound_dialog.h"
#include "shell/sound/sound_dialog_messages.h"
#include "support/sound_files.h"
#include "support/temp_folder.h"

namespace ruv::testing {
namespace {

class CallSoundWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        window = std::make_unique<MainWindow>(AppEnvironment{{}, &clock, &messages});
        wave1 = write("one.wav", makeWave(200));
        wave2 = write("two.wav", makeWave(250));
        mp3 = soundTestData("chime.mp3").string();
    }

    std::string write(const char* name, std::string_view bytes) {
        writeBytes(folder / name, bytes);
        return (folder / name).string();
    }
    const CallSoundPlayer& player(ChatChannel slot) {
        return window->session().sounds.player(slot);
    }
    // Opens the dialog from its menu entry.
    CallSoundDialog* openDialog() {
        window->menu().callSounds->trigger();
        CallSoundDialog* dialog = window->callSoundDialog();
        EXPECT_NE(dialog, nullptr);
        return dialog;
    }
    static void setField(CallSoundDialog* dialog, ChatChannel slot, const std::string& path) {
        dialog->field(slot)->setText(QString::fromStdString(path));
    }

    TempFolder folder;
    platform::ManualClock clock{{2024, 5, 1, 9, 5, 3}};
    SoundDialogMessages messages;
    std::unique_ptr<MainWindow> window;
    std::string wave1, wave2, mp3;
};

TEST_F(CallSoundWindowTest, StartUpRestoreStopsAtTheFirstMissingFileShowsOnceAndLogs) {
    window->callSoundSlots().setPath(ChatChannel::Normal, wave1);
    window->callSoundSlots().setPath(ChatChannel::Team, (folder / "deleted.wav").string());
    window->callSoundSlots().setPath(ChatChannel::Shout, mp3);
    window->RestoreCallSounds();

    EXPECT_TRUE(window->callSoundSlots().HasCallSound(ChatChannel::Normal));
    EXPECT_FALSE(window->callSoundSlots().HasCallSound(ChatChannel::Team));
    EXPECT_FALSE(window->callSoundSlots().HasCallSound(ChatChannel::Shout));
    EXPECT_FALSE(player(ChatChannel::Shout).isOpen());
    EXPECT_EQ(window->callSoundSlots().path(ChatChannel::Shout), mp3);  // saved unchanged at exit

    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text,
              QStringLiteral("以前に設定した音声ファイルが見つかりません。\n"
                             "呼び出し音の設定を開き、指定したファイルを再度確認してください。"));
    EXPECT_EQ(
        window->errorLog()->toPlainText(),
        QStringLiteral("設定ファイルの読み込みに失敗しました(FormCreate) 2024/05/01 9:05:03"));

    window->CloseCallSounds();
    EXPECT_FALSE(player(ChatChannel::Normal).isOpen());
}

TEST_F(CallSoundWindowTest, MenuOpensTheDialogFilledWithTheCurrentPaths) {
    window->callSoundSlots().setPath(ChatChannel::Club, wave1);
    window->callSoundSlots().setPath(ChatChannel::Original, wave2);
    window->RestoreCallSounds();

    CallSoundDialog* dialog = openDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(dialog->isModal());
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("呼び出し音の設定"));
    EXPECT_EQ(dialog->field(ChatChannel::Club)->text().toStdString(), wave1);
    EXPECT_EQ(dialog->field(ChatChannel::Original)->text().toStdString(), wave2);
    EXPECT_EQ(dialog->field(ChatChannel::Normal)->objectName(), QStringLiteral("LabeledEdit01"));
    EXPECT_FALSE(dialog->field(ChatChannel::Original)->isEnabled());
    EXPECT_TRUE(dialog->field(ChatChannel::Original)->isReadOnly());
    EXPECT_FALSE(dialog->browseButton(ChatChannel::Original)->isEnabled());

    // While it shows, the menu entry leaves it as it is.
    dialog->field(ChatChannel::Club)->clear();
    window->menu().callSounds->trigger();
    EXPECT_EQ(window->callSoundDialog(), dialog);
    EXPECT_TRUE(dialog->field(ChatChannel::Club)->text().isEmpty());
}

TEST_F(CallSoundWindowTest, OkRefusesTheSameFileTwiceNamingTheEarlierSlotAndAppliesNothing) {
    CallSoundDialog* dialog = openDialog();
    setField(dialog, ChatChannel::Normal, wave1);
    setField(dialog, ChatChannel::Team, wave1);
    dialog->okButton()->click();

    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].kind, MessageKind::Warning);
    EXPECT_EQ(messages.shown[0].title, QStringLiteral("重複チェック"));
    EXPECT_EQ(messages.shown[0].text,
              QStringLiteral("「通常」で指定したファイルが他でも指定されています。\n"
                             "それぞれ別のファイルを指定してください。"));
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(window->callSoundSlots().HasCallSound(ChatChannel::Normal));
    EXPECT_EQ(window->callSoundSlots().path(ChatChannel::Normal), "");
}

TEST_F(CallSoundWindowTest, OkWithAnEmptyFieldAndAnotherSetIsNoDuplicateAndApplies) {
    CallSoundDialog* dialog = openDialog();
    setField(dialog, ChatChannel::Team, wave1);
    setField(dialog, ChatChannel::Shout, mp3);
    dialog->okButton()->click();

    EXPECT_TRUE(messages.shown.empty());
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_TRUE(window->callSoundSlots().HasCallSound(ChatChannel::Team));
    EXPECT_TRUE(player(ChatChannel::Shout).isOpen());
    EXPECT_EQ(window->callSoundSlots().path(ChatChannel::Team), wave1);
}

TEST_F(CallSoundWindowTest, OkNamesTheFirstMissingFileInSlotOrder) {
    CallSoundDialog* dialog = openDialog();
    setField(dialog, ChatChannel::Open, wave1);
    setField(dialog, ChatChannel::Shout, (folder / "gone6.wav").string());
    setField(dialog, ChatChannel::Club, (folder / "gone4.wav").string());
    dialog->okButton()->click();

    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].title, QStringLiteral("ファイルチェック"));
    EXPECT_EQ(
        messages.shown[0].text,
        QStringLiteral("「クラブ」で指定したファイルが存在しません。\nもう一度指定してください"));
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(window->callSoundSlots().HasCallSound(ChatChannel::Open));
}

TEST_F(CallSoundWindowTest, ClearingAFieldSilencesItsSlotAndCancelAppliesNothing) {
    window->callSoundSlots().setPath(ChatChannel::Whis, wave1);
    window->callSoundSlots().setPath(ChatChannel::Normal, wave2);
    window->RestoreCallSounds();

    CallSoundDialog* dialog = openDialog();
    dialog->field(ChatChannel::Whis)->clear();
    dialog->cancelButton()->click();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_TRUE(window->callSoundSlots().HasCallSound(ChatChannel::Whis));
    EXPECT_EQ(window->callSoundSlots().path(ChatChannel::Whis), wave1);

    openDialog();
    EXPECT_EQ(dialog->field(ChatChannel::Whis)->text().toStdString(), wave1);
    dialog->field(ChatChannel::Whis)->clear();
    dialog->okButton()->click();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_FALSE(window->callSoundSlots().HasCallSound(ChatChannel::Whis));
    EXPECT_FALSE(player(ChatChannel::Whis).isOpen());
    EXPECT_EQ(window->callSoundSlots().path(ChatChannel::Whis), "");
    EXPECT_TRUE(window->callSoundSlots().HasCallSound(ChatChannel::Normal));
}

TEST_F(CallSoundWindowTest, AFileThatCannotBePlayedIsShownAndLeavesTheLaterSlotsClosed) {
    const std::string corrupt = write("corrupt.wav", "RIFF....WAVEnothing here");
    CallSoundDialog* dialog = openDialog();
    setField(dialog, ChatChannel::Normal, wave1);
    setField(dialog, ChatChannel::Open, corrupt);
    setField(dialog, ChatChannel::Team, wave2);
    dialog->okButton()->click();

    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("指定したファイルは再生できません。\n") +
                                          QString::fromStdString(corrupt));
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(window->callSoundSlots().HasCallSound(ChatChannel::Normal));
    EXPECT_FALSE(window->callSoundSlots().HasCallSound(ChatChannel::Team));
    EXPECT_EQ(window->callSoundSlots().path(ChatChannel::Team), wave2);
}

TEST_F(CallSoundWindowTest, BrowsePresetsTheFieldAndPutsTheChosenFileIntoItOnly) {
    window->callSoundSlots().setPath(ChatChannel::Team, wave1);
    window->RestoreCallSounds();
    CallSoundDialog* dialog = openDialog();

    QString askedName, askedFolder, askedFilter;
    QString answer = QString::fromStdString(wave2);
    dialog->setFileChooser([&](const QString& name, const QString& dir, const QString& filter) {
        askedName = name;
        askedFolder = dir;
        askedFilter = filter;
        return answer;
    });
    dialog->browseButton(ChatChannel::Team)->click();

    EXPECT_EQ(askedName.toStdString(), wave1);
    EXPECT_EQ(askedFolder.toStdString(), (folder.path() / "").string());
    EXPECT_EQ(askedFilter.split(QStringLiteral(";;")).size(), 3);
    EXPECT_TRUE(
        askedFilter.startsWith(QStringLiteral("Wave ファイル(*.wav);;MP3 ファイル(*.mp3)")));
    EXPECT_EQ(dialog->field(ChatChannel::Team)->text().toStdString(), wave2);
    EXPECT_EQ(window->callSoundSlots().path(ChatChannel::Team),
              wave1);  // only "OK" changes the slot

    answer.clear();  // the file dialog was cancelled
    dialog->browseButton(ChatChannel::Team)->click();
    EXPECT_EQ(dialog->field(ChatChannel::Team)->text().toStdString(), wave2);
}

TEST_F(CallSoundWindowTest, ARoutedLineWithTheKeywordPlaysItsChannelsSoundEachTime) {
    window->callSoundSlots().setPath(ChatChannel::Whis, wave1);
    window->RestoreCallSounds();
    window->setKeywordArmed(ChatChannel::Whis, KeywordSwitch::On);
    window->keywordEdit(ChatChannel::Whis)->setText(QStringLiteral("psst"));

    const auto log = folder / "MHChatLog_2024_05_01.html";
    loggen::LogGenerator generator{3};
    std::ofstream(log, std::ios::binary) << generator.header();
    window->liveLog().attach(
        log, ByteOffset{static_cast<std::int64_t>(std::filesystem::file_size(log))});
    const auto append = [&](const char* body) {
        std::ofstream(log, std::ios::binary | std::ios::app)
            << generator
                   .makeLine(colours::kWhis, loggen::TagBlockForm::BlankBefore,
                             cp932::fromUtf8(body).value())
                   .bytes
            << "\n";
    };

    append("Mika : psst, over here");
    window->liveLog().catchUp();
    EXPECT_EQ(player(ChatChannel::Whis).playCount(), 1);

    append("Mika : nothing to hear");
    append("Mika : psst again");
    window->liveLog().catchUp();
    EXPECT_EQ(player(ChatChannel::Whis).playCount(), 2);
    EXPECT_EQ(player(ChatChannel::Normal).playCount(), 0);
}

}  // namespace
}  // namespace ruv::testing
