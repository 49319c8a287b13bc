// A notification rule set in the rules dialog survives a restart of the
// program, and when a writer process appends a matching line to the followed
// log it plays its sound file and sends its phrase to a real TCP speech server.
// A rules file that cannot be read is said in the dialog until rules are saved,
// and is kept as .bak even when it was mended meanwhile.

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include "core/rules/rules_file.h"
#include "core/text/cp932.h"
#include "shell/app/main_window.h"
#include "shell/app/session.h"
#include "shell/log/live_log.h"
#include "shell/platform/qt_text.h"
#include "shell/rules/rule_editor.h"
#include "shell/rules/rules_dialog.h"
#include "support/cp932_text.h"
#include "support/portable_tcp_recorder.h"
#include "support/recording_messages.h"
#include "support/sound_files.h"
#include "support/writer_log.h"

namespace {

using namespace ruv::testing;

constexpr std::uint64_t kSeed = 5;
constexpr std::size_t kBytes = 40'000;

std::unique_ptr<ruv::MainWindow> startProgram(const fs::path& folder, RecordingMessages& messages) {
    ruv::AppEnvironment environment;
    environment.settingsFolder = folder;
    environment.messages = &messages;
    return std::make_unique<ruv::MainWindow>(environment);
}

TEST(RulesInWindow, ARuleSetInTheDialogSurvivesARestartAndPlaysAndSpeaksForAnAppendedLine) {
    TempDir program;
    TempDir logs;
    const fs::path sound = program.path() / "call.wav";
    writeBytes(sound, makeWave(200));
    const std::string phrase = "集合の合図";
    ASSERT_NE(ruv::loggen::LogGenerator(kSeed).generate(kBytes).find(sj("集合")),
              std::string::npos);
    RecordingMessages messages;

    {
        auto window = startProgram(program.path(), messages);
        window->findChild<QAction*>(QStringLiteral("RulesOption01"))->trigger();
        auto* dialog = window->findChild<ruv::RulesDialog*>();
        ASSERT_NE(dialog, nullptr);
        dialog->addRule();
        ruv::RuleEditor& editor = *dialog->editor();
        editor.nameEdit()->setText(QStringLiteral("集合"));
        editor.patternEdit()->setText(QStringLiteral("集合"));
        editor.soundEdit()->setText(ruv::toQString(sound));
        editor.speakEdit()->setText(QString::fromStdString(phrase));
        // The stamps of the writer's lines are minutes apart at most: only the first fires.
        editor.cooldownBox()->setValue(24 * 60 * 60);
        dialog->okButton()->click();
        ASSERT_TRUE(fs::exists(program.path() / ruv::kRulesFileName));
    }

    auto window = startProgram(program.path(), messages);
    const ruv::RuleSet& rules = window->session().core.rules.rules();
    ASSERT_EQ(rules.rules.size(), 1u);
    EXPECT_EQ(rules.rules[0].speak, phrase);
    EXPECT_EQ(rules.rules[0].cooldownSeconds, 24 * 60 * 60);

    PortableTcpRecorder speechServer;
    ruv::SpeechSettingTexts texts = window->storedSpeech().speechSettingTexts();
    texts.port = std::to_string(speechServer.port());
    window->storedSpeech().setSpeechSettingTexts(texts);
    window->speechSwitch()->setChecked(true);

    const fs::path log = logs.path() / "MHChatLog_2024_05_01.html";
    append(log, "");
    window->liveLog().attach(log, ruv::ByteOffset{0});
    QProcess writer;
    writer.setProcessChannelMode(QProcess::ForwardedChannels);
    writer.start(QDir(QCoreApplication::applicationDirPath()).filePath(LOG_WRITER_PROCESS),
                 {ruv::toQString(log), "--bytes", QString::number(kBytes), "--seed",
                  QString::number(kSeed), "--pause-percent", "10"});
    ASSERT_TRUE(writer.waitForStarted(10'000)) << writer.errorString().toStdString();

    const std::string spoken = *ruv::cp932::fromUtf8(phrase);
    const auto phraseSent = [&] {
        for (const std::string& request : speechServer.received()) {
            if (request.ends_with(spoken)) {
                return true;
            }
        }
        return false;
    };
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            return writer.state() == QProcess::NotRunning &&
                   window->liveLog().tail().consumed().value ==
                       static_cast<std::int64_t>(fs::file_size(log)) &&
                   phraseSent();
        },
        30'000))
        << "the phrase did not reach the speech server";
    EXPECT_EQ(window->session().ruleSounds.playCount(ruv::toQString(sound).toStdString()), 1);
    EXPECT_EQ(speechServer.received().size(), 1u);
    EXPECT_TRUE(messages.shown.empty());
}

TEST(RulesInWindow, ARulesFileThatCannotBeReadIsSaidInTheDialogUntilRulesAreSaved) {
    TempDir program;
    writeBytes(program.path() / ruv::kRulesFileName, "{\"rules\": [\n  {\"name\": ");
    RecordingMessages messages;
    auto window = startProgram(program.path(), messages);
    const auto openDialog = [&] {
        window->findChild<QAction*>(QStringLiteral("RulesOption01"))->trigger();
        return window->findChild<ruv::RulesDialog*>();
    };

    ruv::RulesDialog* dialog = openDialog();
    ASSERT_NE(dialog, nullptr);
    ASSERT_NE(dialog->unreadFileLabel(), nullptr);
    EXPECT_TRUE(dialog->unreadFileLabel()->isVisible());
    EXPECT_TRUE(dialog->unreadFileLabel()->text().contains(QStringLiteral("line 2")));
    EXPECT_TRUE(dialog->unreadFileLabel()->text().contains(
        QString::fromStdString(std::string(ruv::kRulesBackupName))));
    dialog->addRule();
    dialog->editor()->patternEdit()->setText(QStringLiteral("集合"));
    // The player mends the file in an editor before OK: it is kept all the same.
    const std::string mended = "{\"rules\": [\n  {\"name\": \"mended\"}]}";
    writeBytes(program.path() / ruv::kRulesFileName, mended);
    dialog->okButton()->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(readBytes(program.path() / ruv::kRulesBackupName), mended);

    dialog = openDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->unreadFileLabel(), nullptr);
}

}  // namespace
