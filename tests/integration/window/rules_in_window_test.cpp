// A notification rule set in the rules dialog survives a restart of the
// program, and when a writer process appends a matching line to the followed
// log it plays its sound file and sends its phrase to a real TCP speech server.
// Lines sorted in by tidying are coloured and fire nothing. A rule that cannot
// run is named in the error log while the others run. A rules file that
// cannot be read gives one error-log line, is said in the dialog until rules
// are saved, and is kept as .bak even when it was mended meanwhile.

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
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
#include "support/log_lines.h"
#include "support/portable_tcp_recorder.h"
#include "support/recording_messages.h"
#include "support/sound_files.h"
#include "support/writer_log.h"

namespace {

using namespace ruv::testing;

constexpr std::uint64_t kSeed = 5;
constexpr std::size_t kBytes = 40'000;
constexpr std::string_view kOpen = "c8ffc8";
constexpr ruv::Colour kRuleColour{0x102030};

std::unique_ptr<ruv::MainWindow> startProgram(const fs::path& folder, RecordingMessages& messages) {
    ruv::AppEnvironment environment;
    environment.settingsFolder = folder;
    environment.messages = &messages;
    return std::make_unique<ruv::MainWindow>(environment);
}

std::string openLine(const char* utf8Body, std::string_view stamp) {
    return chatLine(kOpen, sj(utf8Body), TagForm::BlankBefore, stamp) + "\n";
}

// The read-aloud requests a speech server took, without the queue's questions
// (each a command of two bytes on a connection of its own).
std::vector<std::string> readAloud(PortableTcpRecorder& server) {
    std::vector<std::string> requests;
    for (std::string& request : server.received()) {
        if (request.size() > 2) {
            requests.push_back(std::move(request));
        }
    }
    return requests;
}

QStringList errorLines(const ruv::MainWindow& window) {
    return window.errorLog()->toPlainText().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// A rule calling for 集合 with a sound file beside the settings.
ruv::NotificationRule callRule(const fs::path& sound) {
    ruv::NotificationRule rule;
    rule.name = "集合";
    rule.pattern = "集合";
    rule.sound = ruv::toQString(sound).toStdString();
    return rule;
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
        for (const std::string& request : readAloud(speechServer)) {
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
    EXPECT_EQ(readAloud(speechServer).size(), 1u);
    EXPECT_TRUE(messages.shown.empty());
}

// The rule's cooldown spans the evening: had tidying fired, the live line
// would be held back.
TEST(RulesInWindow, TidiedLinesAreColouredButFireNothingSoTheFirstLiveLineFires) {
    TempDir program;
    TempDir logs;
    const fs::path sound = program.path() / "call.wav";
    writeBytes(sound, makeWave(200));
    ruv::RuleSet rules;
    ruv::NotificationRule& call = rules.rules.emplace_back(callRule(sound));
    call.speak = "{speaker}の合図";
    call.colour = kRuleColour;
    call.cooldownSeconds = 60 * 60;
    ruv::saveRulesFile(program.path(), rules, std::nullopt);
    const fs::path log = logs.path() / "MHChatLog_2024_05_01.html";
    writeBytes(log, ruv::loggen::LogGenerator(kSeed).header() +
                        openLine("ミカ : 集合です", "[05/01 21:00:00] ") +
                        openLine("ユキ : こんばんは", "[05/01 21:00:10] "));
    RecordingMessages messages;
    auto window = startProgram(program.path(), messages);
    PortableTcpRecorder speechServer;
    ruv::SpeechSettingTexts texts = window->storedSpeech().speechSettingTexts();
    texts.port = std::to_string(speechServer.port());
    window->storedSpeech().setSpeechSettingTexts(texts);
    window->speechSwitch()->setChecked(true);

    window->menu().tidyOnAttach->setChecked(true);
    window->openLog(ruv::toQString(log));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window->tidyingPastLog(); }, 10'000));
    const ruv::LineStore& open = window->session().core.book.lines(ruv::ChatChannel::Open).store();
    ASSERT_EQ(open.size(), 2u);
    EXPECT_EQ(open.background(0), kRuleColour);
    EXPECT_EQ(open.background(1), std::nullopt);
    EXPECT_EQ(window->session().ruleSounds.playCount(call.sound), 0);

    append(log, openLine("カイ : 集合！", "[05/01 21:00:30] "));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !readAloud(speechServer).empty(); }, 10'000))
        << "the live line was held back";
    const std::vector<std::string> spoken = readAloud(speechServer);
    ASSERT_EQ(spoken.size(), 1u);
    EXPECT_TRUE(spoken[0].ends_with(sj("カイの合図")));
    EXPECT_EQ(window->session().ruleSounds.playCount(call.sound), 1);
    ASSERT_EQ(open.size(), 3u);
    EXPECT_EQ(open.background(2), kRuleColour);
}

TEST(RulesInWindow, ARuleThatCannotRunIsNamedInTheErrorLogAndTheOthersStillFire) {
    TempDir program;
    TempDir logs;
    const fs::path sound = program.path() / "call.wav";
    writeBytes(sound, makeWave(200));
    ruv::RuleSet rules;
    rules.rules.push_back(callRule(sound));
    ruv::NotificationRule& broken = rules.rules.emplace_back();
    broken.name = "閉じない括弧";
    broken.pattern = "(集合";
    broken.kind = ruv::PatternKind::Regex;
    ruv::saveRulesFile(program.path(), rules, std::nullopt);
    RecordingMessages messages;
    auto window = startProgram(program.path(), messages);

    const QStringList errors = errorLines(*window);
    ASSERT_EQ(errors.size(), 1) << errors.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(errors[0].contains(QStringLiteral("「閉じない括弧」"))) << errors[0].toStdString();
    EXPECT_FALSE(errors[0].contains(QStringLiteral("「集合」")));

    const fs::path log = logs.path() / "MHChatLog_2024_05_01.html";
    writeBytes(log, ruv::loggen::LogGenerator(kSeed).header());
    window->liveLog().attach(log, ruv::ByteOffset{0});
    append(log, openLine("カイ : 集合！", "[05/01 21:00:30] "));
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return window->session().ruleSounds.playCount(rules.rules[0].sound) == 1; }, 10'000))
        << "the rule that can run did not fire";
}

TEST(RulesInWindow, ARulesFileThatCannotBeReadIsSaidInTheDialogUntilRulesAreSaved) {
    TempDir program;
    writeBytes(program.path() / ruv::kRulesFileName, "{\"rules\": [\n  {\"name\": ");
    RecordingMessages messages;
    auto window = startProgram(program.path(), messages);
    const QStringList errors = errorLines(*window);
    ASSERT_EQ(errors.size(), 1) << errors.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(errors[0].contains(QString::fromStdString(std::string(ruv::kRulesFileName))));
    EXPECT_TRUE(errors[0].contains(QStringLiteral("line 2"))) << errors[0].toStdString();
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
