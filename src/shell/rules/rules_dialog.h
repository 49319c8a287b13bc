#pragma once
// 通知ルールの設定: the rules in order with their ticks, the fields of the one
// chosen, import and export, 過去ログで試す, and OK, which is enabled only
// while every rule has a name of its own and a pattern the engine accepts.

#include <QDialog>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/log/auto_attach.h"
#include "core/rules/notification_rule.h"

class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;
class QTreeWidget;

namespace ruv {

class RuleEditor;
class RuleTrialRunner;
class RulesDialogChoices;
class UserMessages;

// What the dialog works with; everything must outlive it.
struct RulesDialogInputs {
    RuleSet rules;  // what it opens with
    UserMessages& messages;
    std::function<void(const std::string& utf8Path)> playSound;
    std::function<void(const std::string& utf8Phrase)> speakPhrase;
    // OK: puts the rules in force and writes them; throws std::system_error
    // when the file cannot be written.
    std::function<void(const RuleSet&)> save;
    std::filesystem::path rulesFile;  // named when it cannot be written
    // 過去ログで試す reads the days up to today in this folder.
    std::function<std::filesystem::path()> logFolder;
    std::function<CivilDate()> today;
    // Null: the dialog's own file dialogs, colour dialog and question box.
    RulesDialogChoices* choices = nullptr;
    // Why the rules file could not be read (UTF-8): the dialog says so above
    // its empty list, and that OK keeps the unread file as .bak.
    std::optional<std::string> unreadFile = std::nullopt;
};

class RulesDialog : public QDialog {
    Q_OBJECT
  public:
    explicit RulesDialog(RulesDialogInputs inputs, QWidget* parent = nullptr);
    ~RulesDialog() override;

    // The rules as they stand in the dialog.
    const RuleSet& rules() const { return rules_; }
    int currentRule() const;
    void setCurrentRule(int row);
    void setRuleEnabled(int row, bool enabled);

    void addRule();
    void copyRule();
    // The selected rules, or the current one.
    void deleteRule();
    void moveRule(int by);
    // 読み込み… and 書き出し… (the rules selected in the list when several
    // are, else all of them; a message says which were written).
    void importRules();
    void exportRules();
    // 過去ログで試す and 中止.
    void startTrial();
    void cancelTrial();
    bool trialRunning() const;

    RuleEditor* editor() const { return editor_; }
    QListWidget* ruleList() const { return list_; }
    QPushButton* okButton() const { return ok_; }
    QLabel* problemLabel() const { return status_; }
    QLabel* unreadFileLabel() const { return unreadFile_; }
    QTreeWidget* trialResults() const { return trialResults_; }
    QProgressBar* trialProgress() const { return progress_; }
    QLabel* trialSummary() const { return trialSummary_; }

  signals:
    // The results of 過去ログで試す are shown.
    void trialShown();

  public slots:
    void accept() override;

  private:
    void buildLayout();
    QWidget* buildTrialArea();
    void fillList();
    std::vector<int> selectedRows() const;
    // Takes a deleted rule's row out of the trial's results.
    void dropTrialRow(int trialRow);
    void showCurrent();
    void editorEdited();
    void listItemChanged(int row);
    // Checks every rule: patterns with the engine, names for being there and
    // unique; marks the list, the pattern and OK.
    void checkRules();
    void showTrialProgress(qint64 daysDone, qint64 daysToRead);
    void showTrialReport();
    void setTrialRunning(bool running);

    RulesDialogInputs inputs_;
    std::unique_ptr<RulesDialogChoices> ownChoices_;
    RulesDialogChoices& choices_;
    RuleSet rules_;
    // The engine's message per rule, kept in step with rules_.
    std::vector<std::optional<std::string>> problems_;
    RuleSet trialRules_;  // as they stood when the trial started
    // Per rule, in step with rules_: its index in trialRules_, or none.
    static constexpr int kNoTrialRow = -1;
    std::vector<int> trialRows_;
    bool filling_ = false;

    QListWidget* list_ = nullptr;
    RuleEditor* editor_ = nullptr;
    QPushButton* ok_ = nullptr;
    QLabel* status_ = nullptr;
    QLabel* unreadFile_ = nullptr;  // null when the file was read
    QPushButton* copy_ = nullptr;
    QPushButton* delete_ = nullptr;
    QPushButton* up_ = nullptr;
    QPushButton* down_ = nullptr;
    QPushButton* tryButton_ = nullptr;
    QPushButton* stopButton_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QLabel* trialSummary_ = nullptr;
    QTreeWidget* trialResults_ = nullptr;
    // Owned, but released rather than deleted while a trial runs.
    RuleTrialRunner* runner_ = nullptr;
};

// The cost of a rule as the trial shows it, per thousand lines.
QString trialCostText(std::chrono::nanoseconds perThousandLines);

}  // namespace ruv
