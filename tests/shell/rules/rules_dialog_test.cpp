// The rules dialog offscreen: patterns the engine refuses and names that are
// missing or taken keep OK disabled, a friend's file is merged asking for each
// name that exists (or once for all of them), every rule or the several
// selected are written out and named, the selected rules are deleted, a failed
// save names the file, and 過去ログで試す shows each rule's hits and cost.

#include "shell/rules/rules_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QTreeWidget>

#include <QRegularExpression>

#include <algorithm>
#include <deque>
#include <functional>
#include <vector>

#include "core/rules/rule_matcher.h"
#include "core/rules/rules_file.h"
#include "core/search/day_file_reader.h"
#include "loggen/log_generator.h"
#include "shell/platform/qt_text.h"
#include "shell/rules/rule_editor.h"
#include "shell/rules/rules_dialog_choices.h"
#include "support/log_lines.h"
#include "support/pipe_writer.h"
#include "support/recording_messages.h"
#include "support/temp_folder.h"

namespace ruv::testing {
namespace {

class AnsweredChoices final : public RulesDialogChoices {
  public:
    QString rulesFileToRead() override { return readFile; }
    QString rulesFileToWrite() override { return writeFile; }
    QString soundFile(const QString&) override { return {}; }
    std::optional<QColor> colour(const QColor&) override { return std::nullopt; }
    ExistingRuleAnswer existingRule(const QString& name, int clashesLeft) override {
        asked.push_back(name);
        clashesLeftAsked.push_back(clashesLeft);
        if (answers.empty()) {
            ADD_FAILURE() << "unexpected question about " << name.toStdString();
            return {};
        }
        const ExistingRuleAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }

    QString readFile;
    QString writeFile;
    std::deque<ExistingRuleAnswer> answers;
    QStringList asked;
    std::vector<int> clashesLeftAsked;
};

NotificationRule rule(std::string name, std::string pattern = "") {
    NotificationRule made;
    made.name = std::move(name);
    made.pattern = std::move(pattern);
    return made;
}

std::vector<std::string> names(const RuleSet& rules) {
    std::vector<std::string> all;
    for (const NotificationRule& each : rules.rules) {
        all.push_back(each.name);
    }
    return all;
}

class RulesDialogTest : public ::testing::Test {
  protected:
    std::unique_ptr<RulesDialog> open(RuleSet rules) {
        RulesDialogInputs inputs{std::move(rules),
                                 messages,
                                 [](const std::string&) {},
                                 [](const std::string&) {},
                                 [this](const RuleSet& set) { save(set); },
                                 folder.path() / kRulesFileName,
                                 [this] { return folder.path(); },
                                 [] {
                                     return CivilDate{2024, 5, 3};
                                 },
                                 &choices};
        auto dialog = std::make_unique<RulesDialog>(std::move(inputs));
        dialog->show();
        return dialog;
    }

    TempFolder folder;
    RecordingMessages messages;
    AnsweredChoices choices;
    std::function<void(const RuleSet&)> save = [](const RuleSet&) {};
};

TEST_F(RulesDialogTest, AnInvalidPatternIsMarkedAtOnceWithTheEnginesMessageAndKeepsOkDisabled) {
    auto dialog = open({{rule("boss", "ボス")}});
    RuleEditor& editor = *dialog->editor();
    ASSERT_TRUE(dialog->okButton()->isEnabled());

    editor.regexBox()->setChecked(true);
    editor.patternEdit()->setText(QStringLiteral("(ボス"));
    const std::optional<std::string> message = RuleMatcher::problemOf(dialog->rules().rules[0]);
    ASSERT_TRUE(message);
    EXPECT_TRUE(editor.patternProblemLabel()->isVisibleTo(dialog.get()));
    EXPECT_TRUE(editor.patternProblemLabel()->text().contains(QString::fromStdString(*message)));
    EXPECT_FALSE(dialog->okButton()->isEnabled());

    editor.patternEdit()->setText(QStringLiteral("(ボス)"));
    EXPECT_FALSE(editor.patternProblemLabel()->isVisibleTo(dialog.get()));
    EXPECT_TRUE(dialog->okButton()->isEnabled());
}

TEST_F(RulesDialogTest, NamesMustBeGivenAndUnique) {
    auto dialog = open({{rule("whisper"), rule("boss")}});
    // A new rule takes the plain name while it is free.
    dialog->addRule();
    dialog->addRule();
    EXPECT_EQ(names(dialog->rules()),
              (std::vector<std::string>{"whisper", "boss", "新しいルール", "新しいルール (2)"}));
    dialog->deleteRule();
    dialog->deleteRule();
    dialog->setCurrentRule(1);
    dialog->editor()->nameEdit()->setText(QStringLiteral("whisper"));
    EXPECT_FALSE(dialog->okButton()->isEnabled());
    EXPECT_TRUE(dialog->problemLabel()->text().contains(QStringLiteral("whisper")));
    dialog->editor()->nameEdit()->clear();
    EXPECT_FALSE(dialog->okButton()->isEnabled());
    dialog->editor()->nameEdit()->setText(QStringLiteral("boss"));
    EXPECT_TRUE(dialog->okButton()->isEnabled());

    // A copy takes a name of its own.
    dialog->copyRule();
    EXPECT_EQ(names(dialog->rules()), (std::vector<std::string>{"whisper", "boss", "boss (2)"}));
    EXPECT_TRUE(dialog->okButton()->isEnabled());
}

TEST_F(RulesDialogTest, ImportAsksForEachNameThatExistsAndReplacesKeepsBothOrSkips) {
    RuleSet friends{{rule("A", "new a"), rule("B", "new b"), rule("C", "new c"), rule("D")}};
    writeRulesFile(folder.path() / "friend.json", friends);
    choices.readFile = toQString(folder.path() / "friend.json");
    choices.answers = {
        {ExistingRuleChoice::Replace}, {ExistingRuleChoice::KeepBoth}, {ExistingRuleChoice::Skip}};
    auto dialog = open({{rule("A", "old a"), rule("B", "old b"), rule("C", "old c")}});

    dialog->importRules();

    EXPECT_EQ(choices.asked, (QStringList{"A", "B", "C"}));
    EXPECT_EQ(choices.clashesLeftAsked, (std::vector<int>{3, 2, 1}));
    const RuleSet& merged = dialog->rules();
    EXPECT_EQ(names(merged), (std::vector<std::string>{"A", "B", "C", "B (2)", "D"}));
    EXPECT_EQ(merged.rules[0].pattern, "new a");
    EXPECT_EQ(merged.rules[1].pattern, "old b");
    EXPECT_EQ(merged.rules[2].pattern, "old c");
    EXPECT_EQ(merged.rules[3].pattern, "new b");
    EXPECT_EQ(dialog->ruleList()->count(), 5);
}

TEST_F(RulesDialogTest, ImportOfADamagedFileSaysWhyAndChangesNothing) {
    writeBytes(folder.path() / "friend.json", "{\"rules\": [\n{\"name\": }\n]}");
    choices.readFile = toQString(folder.path() / "friend.json");
    auto dialog = open({{rule("A")}});

    dialog->importRules();

    EXPECT_EQ(names(dialog->rules()), std::vector<std::string>{"A"});
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].second.contains(QStringLiteral("friend.json")));
    EXPECT_TRUE(messages.shown[0].second.contains(QStringLiteral("line 2")));
}

TEST_F(RulesDialogTest, AnswerForEveryClashIsAskedOnceAndAppliedToTheRest) {
    RuleSet friends{{rule("A", "new a"), rule("B", "new b"), rule("C", "new c"), rule("D")}};
    writeRulesFile(folder.path() / "friend.json", friends);
    choices.readFile = toQString(folder.path() / "friend.json");
    choices.answers = {{ExistingRuleChoice::Replace},
                       {ExistingRuleChoice::KeepBoth, AnswerReach::EveryClash}};
    auto dialog = open({{rule("A", "old a"), rule("B", "old b"), rule("C", "old c")}});

    dialog->importRules();

    EXPECT_EQ(choices.asked, (QStringList{"A", "B"}));
    EXPECT_EQ(names(dialog->rules()),
              (std::vector<std::string>{"A", "B", "C", "B (2)", "C (2)", "D"}));
    EXPECT_EQ(dialog->rules().rules[0].pattern, "new a");
    EXPECT_EQ(dialog->rules().rules[4].pattern, "new c");
}

// Answers the question box the next event loop shows: ticks its check box
// when asked to, and clicks the button of that caption.
void answerQuestionBox(const QString& button, bool tickForAll, bool& hadCheckBox) {
    QTimer::singleShot(0, [=, &hadCheckBox] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) {
            answerQuestionBox(button, tickForAll, hadCheckBox);
            return;
        }
        hadCheckBox = box->checkBox() != nullptr;
        if (hadCheckBox && tickForAll) {
            box->checkBox()->setChecked(true);
        }
        for (QAbstractButton* each : box->buttons()) {
            if (each->text() == button) {
                each->click();
                return;
            }
        }
        ADD_FAILURE() << "no button " << button.toStdString();
        box->reject();
    });
}

TEST(RulesClashQuestion, OffersToApplyTheAnswerToTheClashesStillToCome) {
    QWidget parent;
    DialogRulesChoices choices(&parent);
    bool hadCheckBox = false;

    answerQuestionBox(QStringLiteral("両方残す"), true, hadCheckBox);
    const ExistingRuleAnswer first = choices.existingRule(QStringLiteral("A"), 3);
    EXPECT_TRUE(hadCheckBox);
    EXPECT_EQ(first.choice, ExistingRuleChoice::KeepBoth);
    EXPECT_EQ(first.reach, AnswerReach::EveryClash);

    // The last clash has nothing after it to apply the answer to.
    answerQuestionBox(QStringLiteral("置き換える"), true, hadCheckBox);
    const ExistingRuleAnswer last = choices.existingRule(QStringLiteral("B"), 1);
    EXPECT_FALSE(hadCheckBox);
    EXPECT_EQ(last.choice, ExistingRuleChoice::Replace);
    EXPECT_EQ(last.reach, AnswerReach::ThisRule);
}

#ifndef _WIN32
// The documents folder follows HOME where no user-dirs file says otherwise.
TEST(RulesFileDialogs, StartInThePlayersDocumentsFolder) {
    TempFolder home;
    std::filesystem::create_directory(home.path() / "Documents");
    const QByteArray oldHome = qgetenv("HOME");
    const QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("HOME", QFile::encodeName(toQString(home.path())));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(toQString(home.path() / ".config")));
    QWidget parent;
    DialogRulesChoices choices(&parent);
    for (const auto ask :
         {&DialogRulesChoices::rulesFileToRead, &DialogRulesChoices::rulesFileToWrite}) {
        QString folder;
        std::function<void()> look = [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr) {
                QTimer::singleShot(10, look);
                return;
            }
            folder = dialog->directory().absolutePath();
            dialog->reject();
        };
        QTimer::singleShot(0, look);
        EXPECT_TRUE((choices.*ask)().isEmpty());
        EXPECT_EQ(pathFromQString(folder), home.path() / "Documents");
    }
    qputenv("HOME", oldHome);
    if (oldConfig.isNull()) {
        qunsetenv("XDG_CONFIG_HOME");
    } else {
        qputenv("XDG_CONFIG_HOME", oldConfig);
    }
}
#endif

TEST_F(RulesDialogTest, ExportWritesEveryRuleUnlessSeveralAreSelectedAndSaysWhich) {
    auto dialog = open({{rule("A", "a"), rule("B", "b"), rule("C", "c")}});
    const auto exported = [&](const char* file) {
        choices.writeFile = toQString(folder.path() / file);
        dialog->exportRules();
        const RulesReading written = readRulesFile(folder.path() / file);
        EXPECT_EQ(written.state, RulesFileState::Loaded) << file;
        return names(written.rules);
    };
    // The current rule alone is selected: that is no choice.
    dialog->setCurrentRule(1);
    ASSERT_TRUE(dialog->ruleList()->item(1)->isSelected());
    EXPECT_EQ(exported("all.json"), (std::vector<std::string>{"A", "B", "C"}));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].first, MessageKind::Information);
    EXPECT_TRUE(messages.shown[0].second.contains(QStringLiteral("3")));
    EXPECT_TRUE(messages.shown[0].second.contains(QStringLiteral("all.json")));

    dialog->ruleList()->item(0)->setSelected(true);
    dialog->ruleList()->item(1)->setSelected(false);
    dialog->ruleList()->item(2)->setSelected(true);
    EXPECT_EQ(exported("two.json"), (std::vector<std::string>{"A", "C"}));
    ASSERT_EQ(messages.shown.size(), 2u);
    const QString said = messages.shown[1].second;
    EXPECT_TRUE(said.contains(QStringLiteral("2"))) << said.toStdString();
    EXPECT_TRUE(said.contains(QStringLiteral("「A」"))) << said.toStdString();
    EXPECT_TRUE(said.contains(QStringLiteral("「C」"))) << said.toStdString();
    EXPECT_FALSE(said.contains(QStringLiteral("「B」"))) << said.toStdString();
}

TEST_F(RulesDialogTest, DeleteRemovesEverySelectedRule) {
    auto dialog = open({{rule("A"), rule("B"), rule("C"), rule("D")}});
    dialog->setCurrentRule(1);
    dialog->ruleList()->item(3)->setSelected(true);

    dialog->deleteRule();

    EXPECT_EQ(names(dialog->rules()), (std::vector<std::string>{"A", "C"}));
    EXPECT_EQ(dialog->ruleList()->count(), 2);
    EXPECT_EQ(dialog->currentRule(), 1);
    EXPECT_TRUE(dialog->okButton()->isEnabled());
}

TEST_F(RulesDialogTest, OkSavesTheRulesAsTheyStandAndAFailedWriteNamesTheFile) {
    std::optional<RuleSet> saved;
    save = [&](const RuleSet& set) {
        saved = set;
        throw std::system_error(std::make_error_code(std::errc::permission_denied));
    };
    auto dialog = open({{rule("A")}});
    dialog->setRuleEnabled(0, false);
    dialog->editor()->alertBox()->setChecked(true);

    dialog->okButton()->click();

    ASSERT_TRUE(saved);
    EXPECT_FALSE(saved->rules[0].enabled);
    EXPECT_TRUE(saved->rules[0].alert);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].second.contains(QStringLiteral("ruvivuvaz_rules.json")));
}

TEST_F(RulesDialogTest, TrialOnPastLogsShowsEachRulesHitsFirstLinesAndCost) {
    writeBytes(folder.path() / "MHChatLog_2024_05_02.html",
               chatLine("c8ffc8", sj("ミカ : ボス出た")) + "\n" +
                   chatLine("c8ffc8", sj("ユキ : こんばんは")) + "\n");
    writeBytes(folder.path() / "MHChatLog_2024_05_03.html",
               chatLine("94ddfa", sj("カイ : ボス！")) + "\n");
    auto dialog = open({{rule("boss", "ボス"), rule("nobody", "ぴよ")}});

    QSignalSpy done(dialog.get(), &RulesDialog::trialShown);
    dialog->startTrial();
    ASSERT_TRUE(done.wait(10'000));

    QTreeWidget& results = *dialog->trialResults();
    ASSERT_EQ(results.topLevelItemCount(), 2);
    const QTreeWidgetItem& boss = *results.topLevelItem(0);
    EXPECT_EQ(boss.text(1), QStringLiteral("2"));
    ASSERT_EQ(boss.childCount(), 2);
    // Newest day first, each line as the views show it.
    EXPECT_EQ(boss.child(0)->text(0), fromCp932(shown(sj("カイ : ボス！"))));
    EXPECT_EQ(boss.child(1)->text(0), fromCp932(shown(sj("ミカ : ボス出た"))));
    EXPECT_EQ(results.topLevelItem(1)->text(1), QStringLiteral("0"));
    EXPECT_EQ(results.topLevelItem(1)->childCount(), 0);
    // Each cost is a time per thousand lines, never none; the costliest is bold.
    const QRegularExpression costText(QStringLiteral("^(\\d+\\.\\d+) (µs|ms)$"));
    std::vector<double> micro;
    int bold = -1;
    for (int row = 0; row < 2; ++row) {
        const QTreeWidgetItem& item = *results.topLevelItem(row);
        const QRegularExpressionMatch cost = costText.match(item.text(2));
        ASSERT_TRUE(cost.hasMatch()) << item.text(2).toStdString();
        micro.push_back(cost.captured(1).toDouble() *
                        (cost.captured(2) == QStringLiteral("ms") ? 1000 : 1));
        EXPECT_GT(micro.back(), 0) << row;
        if (item.font(2).bold()) {
            EXPECT_EQ(bold, -1) << "two rows in bold";
            bold = row;
        }
    }
    ASSERT_NE(bold, -1);
    EXPECT_EQ(micro[static_cast<std::size_t>(bold)], *std::max_element(micro.begin(), micro.end()));
    EXPECT_EQ(dialog->trialSummary()->text(), QStringLiteral("2日分 3 行で試しました。"));
}

TEST_F(RulesDialogTest, ADeletedRulesRowLeavesTheTrialsResultsAtOnce) {
    writeBytes(folder.path() / "MHChatLog_2024_05_03.html",
               chatLine("94ddfa", sj("カイ : ボス！")) + "\n");
    auto dialog = open({{rule("boss", "ボス"), rule("kai", "カイ"), rule("nobody", "ぴよ")}});
    QSignalSpy done(dialog.get(), &RulesDialog::trialShown);
    dialog->startTrial();
    ASSERT_TRUE(done.wait(10'000));
    QTreeWidget& results = *dialog->trialResults();
    ASSERT_EQ(results.topLevelItemCount(), 3);

    // Moved first, so the row is found by its rule, not by its place.
    dialog->setCurrentRule(1);
    dialog->moveRule(-1);
    dialog->addRule();
    dialog->setCurrentRule(0);
    dialog->deleteRule();
    dialog->setCurrentRule(2);
    dialog->deleteRule();

    ASSERT_EQ(results.topLevelItemCount(), 2);
    EXPECT_EQ(results.topLevelItem(0)->text(0), QStringLiteral("boss"));
    EXPECT_EQ(results.topLevelItem(1)->text(0), QStringLiteral("nobody"));
}

#ifndef _WIN32
// The day after the newest is a named pipe the test feeds: the trial is
// cancelled while the worker waits for the last byte of its first block, so
// it stops inside that day, after some of its lines.
TEST_F(RulesDialogTest, ACancelledTrialLeavesTheBarWhereTheReadingStoppedAndSaysWhichDay) {
    for (int day = 27; day <= 30; ++day) {
        writeBytes(folder.path() / ("MHChatLog_2024_04_" + std::to_string(day) + ".html"),
                   loggen::LogGenerator(static_cast<std::uint64_t>(day)).generate(10'000));
    }
    writeBytes(folder.path() / "MHChatLog_2024_05_01.html",
               loggen::LogGenerator(1).generate(10'000));
    writeBytes(folder.path() / "MHChatLog_2024_05_03.html",
               chatLine("94ddfa", sj("カイ : ボス！")) + "\n");
    PipeWriter pipe(folder.path() / "MHChatLog_2024_05_02.html");
    auto dialog = open({{rule("boss", "ボス")}});
    QSignalSpy shown(dialog.get(), &RulesDialog::trialShown);
    dialog->startTrial();

    ASSERT_TRUE(pipe.waitForReader()) << "the trial never opened the second day";
    const std::string day = loggen::LogGenerator(2).generate(2 * kSearchBlockBytes);
    ASSERT_TRUE(pipe.put(std::string_view(day).substr(0, kSearchBlockBytes - 1)));
    dialog->cancelTrial();
    ASSERT_TRUE(pipe.put(std::string_view(day).substr(kSearchBlockBytes - 1, 1)));
    pipe.letGo();
    ASSERT_TRUE(shown.wait(10'000));

    EXPECT_EQ(dialog->trialProgress()->maximum(), 7);
    EXPECT_EQ(dialog->trialProgress()->value(), 1);
    EXPECT_TRUE(
        dialog->trialSummary()->text().startsWith(QStringLiteral("中止しました。2日目の途中まで ")))
        << dialog->trialSummary()->text().toStdString();
}
#endif

}  // namespace
}  // namespace ruv::testing
