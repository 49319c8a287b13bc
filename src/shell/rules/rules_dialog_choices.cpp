#include "shell/rules/rules_dialog_choices.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>

namespace ruv {

namespace {

const QString kRulesFilter = QStringLiteral("通知ルール (*.json);;すべてのファイル (*)");

// The player's documents folder, or the home folder where it does not exist.
QString documentsFolder() {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QDir(documents).exists() ? documents : QDir::homePath();
}

}  // namespace

QString DialogRulesChoices::rulesFileToRead() {
    return QFileDialog::getOpenFileName(parent_, QStringLiteral("通知ルールの読み込み"),
                                        documentsFolder(), kRulesFilter);
}

QString DialogRulesChoices::rulesFileToWrite() {
    return QFileDialog::getSaveFileName(
        parent_, QStringLiteral("通知ルールの書き出し"),
        QDir(documentsFolder()).filePath(QStringLiteral("ruvivuvaz_rules.json")), kRulesFilter);
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

ExistingRuleAnswer DialogRulesChoices::existingRule(const QString& name, int clashesLeft) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("通知ルールの読み込み"),
                    QStringLiteral("「%1」という名前のルールはもうあります。").arg(name),
                    QMessageBox::NoButton, parent_);
    box.setTextFormat(Qt::PlainText);
    QPushButton* replace = box.addButton(QStringLiteral("置き換える"), QMessageBox::AcceptRole);
    QPushButton* both = box.addButton(QStringLiteral("両方残す"), QMessageBox::AcceptRole);
    QPushButton* skip = box.addButton(QStringLiteral("読み込まない"), QMessageBox::RejectRole);
    box.setDefaultButton(skip);
    QCheckBox* forAll = nullptr;
    if (clashesLeft > 1) {
        forAll = new QCheckBox(
            QStringLiteral("以降すべてに適用（残り %1 件）").arg(clashesLeft - 1), &box);
        box.setCheckBox(forAll);
    }
    box.exec();
    ExistingRuleAnswer answer;
    if (box.clickedButton() == replace) {
        answer.choice = ExistingRuleChoice::Replace;
    } else if (box.clickedButton() == both) {
        answer.choice = ExistingRuleChoice::KeepBoth;
    }
    if (forAll != nullptr && forAll->isChecked()) {
        answer.reach = AnswerReach::EveryClash;
    }
    return answer;
}

}  // namespace ruv
