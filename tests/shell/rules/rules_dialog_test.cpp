// The rules dialog offscreen: patterns the engine refuses and names that are
// missing or taken keep OK disabled, a friend's file is merged asking for each
// name that exists, the chosen rules are written out, a failed save names the
// file, and 過去ログで試す shows each rule's hits and cost.

#include "shell/rules/rules_dialog.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTreeWidget>

#include <deque>

#include "core/rules/rule_matcher.h"
#include "core/rules/rules_file.h"
#include "loggen/log_generator.h"
#include "shell/platform/qt_text.h"
#include "shell/rules/rule_editor.h"
#include "shell/rules/rules_dialog_choices.h"
#include "support/log_lines.h"
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
    ExistingRuleChoice existingRule(const QString& name) override {
        asked.push_back(name);
        if (answers.empty()) {
            ADD_FAILURE() << "unexpected question about " << name.toStdString();
            return ExistingRuleChoice::Skip;
        }
        const ExistingRuleChoice answer = answers.front();
        answers.pop_front();
        return answer;
    }

    QString readFile;
    QString writeFile;
    std::deque<ExistingRuleChoice> answers;
    QStringList asked;
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
    choices.answers = {ExistingRuleChoice::Replace, ExistingRuleChoice::KeepBoth,
                       ExistingRuleChoice::Skip};
    auto dialog = open({{rule("A", "old a"), rule("B", "old b"), rule("C", "old c")}});

    dialog->importRules();

    EXPECT_EQ(choices.asked, (QStringList{"A", "B", "C"}));
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

TEST_F(RulesDialogTest, ExportWritesTheSelectedRules) {
    auto dialog = open({{rule("A", "a"), rule("B", "b"), rule("C", "c")}});
    dialog->ruleList()->item(0)->setSelected(true);
    dialog->ruleList()->item(1)->setSelected(false);
    dialog->ruleList()->item(2)->setSelected(true);
    choices.writeFile = toQString(folder.path() / "mine.json");

    dialog->exportRules();

    const RulesReading written = readRulesFile(folder.path() / "mine.json");
    ASSERT_EQ(written.state, RulesFileState::Loaded);
    EXPECT_EQ(written.rules, (RuleSet{{dialog->rules().rules[0], dialog->rules().rules[2]}}));
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

    QSignalSpy shown(dialog.get(), &RulesDialog::trialShown);
    dialog->startTrial();
    ASSERT_TRUE(shown.wait(10'000));

    QTreeWidget& results = *dialog->trialResults();
    ASSERT_EQ(results.topLevelItemCount(), 2);
    const QTreeWidgetItem& boss = *results.topLevelItem(0);
    EXPECT_EQ(boss.text(1), QStringLiteral("2"));
    ASSERT_EQ(boss.childCount(), 2);
    EXPECT_TRUE(
        boss.child(0)->text(0).endsWith(QStringLiteral("カイ : ボス！")));  // newest day first
    EXPECT_FALSE(boss.text(2).isEmpty());
    EXPECT_EQ(results.topLevelItem(1)->text(1), QStringLiteral("0"));
    EXPECT_TRUE(dialog->trialSummary()->text().contains(QStringLiteral("3")));
}

TEST_F(RulesDialogTest, ACancelledTrialLeavesTheBarWhereTheReadingStopped) {
    for (int day = 1; day <= 7; ++day) {
        writeBytes(folder.path() / ("MHChatLog_2024_05_0" + std::to_string(day) + ".html"),
                   loggen::LogGenerator(static_cast<std::uint64_t>(day)).generate(2'000'000));
    }
    auto dialog = open({{rule("boss", "ボス")}});
    QSignalSpy shown(dialog.get(), &RulesDialog::trialShown);
    dialog->startTrial();
    dialog->cancelTrial();
    ASSERT_TRUE(shown.wait(10'000));
    EXPECT_LT(dialog->trialProgress()->value(), dialog->trialProgress()->maximum());
    EXPECT_TRUE(dialog->trialSummary()->text().startsWith(QStringLiteral("中止しました。")));
}

}  // namespace
}  // namespace ruv::testing
