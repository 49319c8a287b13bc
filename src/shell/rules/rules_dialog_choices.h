#pragma once
// What the rules dialog asks the user through other windows: the files to read
// and write (starting in the documents folder), a sound file, a colour, and
// what to do with an imported rule whose name exists. Behind a port so tests
// can answer without a display.

#include <QColor>
#include <QString>

#include <optional>

#include "shell/rules/rules_merge.h"

class QWidget;

namespace ruv {

// Whether the answer to a clash holds for the clashes after it too.
enum class AnswerReach { ThisRule, EveryClash };

struct ExistingRuleAnswer {
    ExistingRuleChoice choice = ExistingRuleChoice::Skip;
    AnswerReach reach = AnswerReach::ThisRule;
};

class RulesDialogChoices {
  public:
    virtual ~RulesDialogChoices() = default;
    // Empty: the user cancelled.
    virtual QString rulesFileToRead() = 0;
    virtual QString rulesFileToWrite() = 0;
    virtual QString soundFile(const QString& current) = 0;
    virtual std::optional<QColor> colour(const QColor& current) = 0;
    // An imported rule of this name exists: replace it, keep both or skip.
    // clashesLeft counts this clash and those still to come in the file.
    virtual ExistingRuleAnswer existingRule(const QString& name, int clashesLeft) = 0;
};

// File dialogs, the colour dialog and a question box over the rules dialog.
class DialogRulesChoices final : public RulesDialogChoices {
  public:
    explicit DialogRulesChoices(QWidget* parent) : parent_(parent) {}
    QString rulesFileToRead() override;
    QString rulesFileToWrite() override;
    QString soundFile(const QString& current) override;
    std::optional<QColor> colour(const QColor& current) override;
    ExistingRuleAnswer existingRule(const QString& name, int clashesLeft) override;

  private:
    QWidget* parent_;
};

}  // namespace ruv
