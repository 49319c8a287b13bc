#pragma once
// What the rules dialog asks the user through other windows: the files to read
// and write, a sound file, a colour, and what to do with an imported rule
// whose name exists. Behind a port so tests can answer without a display.

#include <QColor>
#include <QString>

#include <optional>

#include "shell/rules/rules_merge.h"

class QWidget;

namespace ruv {

class RulesDialogChoices {
  public:
    virtual ~RulesDialogChoices() = default;
    // Empty: the user cancelled.
    virtual QString rulesFileToRead() = 0;
    virtual QString rulesFileToWrite() = 0;
    virtual QString soundFile(const QString& current) = 0;
    virtual std::optional<QColor> colour(const QColor& current) = 0;
    // An imported rule of this name exists: replace it, keep both or skip.
    virtual ExistingRuleChoice existingRule(const QString& name) = 0;
};

// File dialogs, the colour dialog and a question box over the rules dialog.
class DialogRulesChoices final : public RulesDialogChoices {
  public:
    explicit DialogRulesChoices(QWidget* parent) : parent_(parent) {}
    QString rulesFileToRead() override;
    QString rulesFileToWrite() override;
    QString soundFile(const QString& current) override;
    std::optional<QColor> colour(const QColor& current) override;
    ExistingRuleChoice existingRule(const QString& name) override;

  private:
    QWidget* parent_;
};

}  // namespace ruv
