#include "shell/rules/rules_dialog_choices.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace ruv {

namespace {

const QString kRulesFilter = QStringLiteral("通知ルール (*.json);;すべてのファイル (*)");

}  // namespace

QString DialogRulesChoices::rulesFileToRead() {
    return QFileDialog::getOpenFileName(parent_, QStringLiteral("通知ルールの読み込み"), QString(),
                                        kRulesFilter);
}

QString DialogRulesChoices::rulesFileToWrite() {
    return QFileDialog::getSaveFileName(parent_, QStringLiteral("通知ルールの書き出し"),
                                        QStringLiteral("ruvivuvaz_rules.json"), kRulesFilter);
}

QString DialogRulesChoices::soundFile(const QString& current) {
    return QFileDialog::getOpenFileName(
        parent_, QStringLiteral("鳴らす音"), current,
        QStringLiteral("音声ファイル (*.wav *.mp3);;すべてのファイル (*)"));
}

std::optional<QColor> DialogRulesChoices::colour(const QColor& current) {
    const QColor chosen = QColorDialog::getColor(current.isValid() ? current : QColor(Qt::darkRed),
                                                 parent_, QStringLiteral("行の背景色"));
    if (!chosen.isValid()) {
        return std::nullopt;
    }
    return chosen;
}

ExistingRuleChoice DialogRulesChoices::existingRule(const QString& name) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("通知ルールの読み込み"),
                    QStringLiteral("「%1」という名前のルールはもうあります。").arg(name),
                    QMessageBox::NoButton, parent_);
    box.setTextFormat(Qt::PlainText);
    QPushButton* replace = box.addButton(QStringLiteral("置き換える"), QMessageBox::AcceptRole);
    QPushButton* both = box.addButton(QStringLiteral("両方残す"), QMessageBox::AcceptRole);
    QPushButton* skip = box.addButton(QStringLiteral("読み込まない"), QMessageBox::RejectRole);
    box.setDefaultButton(skip);
    box.exec();
    if (box.clickedButton() == replace) {
        return ExistingRuleChoice::Replace;
    }
    return box.clickedButton() == both ? ExistingRuleChoice::KeepBoth : ExistingRuleChoice::Skip;
}

}  // namespace ruv
