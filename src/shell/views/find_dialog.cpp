#include "shell/views/find_dialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace ruv {

FindDialog::FindDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FindDialog01"));
    setWindowTitle(QStringLiteral("検索"));
    setModal(false);

    auto* label = new QLabel(QStringLiteral("検索する文字列(&N):"), this);
    text_ = new QLineEdit(this);
    text_->setObjectName(QStringLiteral("FindText"));
    label->setBuddy(text_);

    matchCase_ = new QCheckBox(QStringLiteral("大文字と小文字を区別する(&C)"), this);
    wholeWord_ = new QCheckBox(QStringLiteral("単語単位で探す(&W)"), this);

    auto* directionBox = new QGroupBox(QStringLiteral("方向"), this);
    up_ = new QRadioButton(QStringLiteral("上へ(&U)"), directionBox);
    down_ = new QRadioButton(QStringLiteral("下へ(&D)"), directionBox);
    down_->setChecked(true);
    auto* directionRow = new QHBoxLayout(directionBox);
    directionRow->addWidget(up_);
    directionRow->addWidget(down_);

    findButton_ = new QPushButton(QStringLiteral("次を検索(&F)"), this);
    findButton_->setObjectName(QStringLiteral("FindNext"));
    findButton_->setDefault(true);
    findButton_->setEnabled(false);
    auto* cancel = new QPushButton(QStringLiteral("キャンセル"), this);

    auto* grid = new QGridLayout(this);
    grid->addWidget(label, 0, 0);
    grid->addWidget(text_, 0, 1);
    grid->addWidget(findButton_, 0, 2);
    auto* boxes = new QVBoxLayout;
    boxes->addWidget(wholeWord_);
    boxes->addWidget(matchCase_);
    grid->addLayout(boxes, 1, 0);
    grid->addWidget(directionBox, 1, 1);
    grid->addWidget(cancel, 1, 2, Qt::AlignTop);

    connect(text_, &QLineEdit::textChanged, this,
            [this](const QString& text) { findButton_->setEnabled(!text.isEmpty()); });
    connect(findButton_, &QPushButton::clicked, this, [this] {
        if (!text_->text().isEmpty()) {
            emit findRequested();
        }
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

QString FindDialog::findText() const {
    return text_->text();
}

void FindDialog::setFindText(const QString& text) {
    text_->setText(text);
}

FindDirection FindDialog::direction() const {
    return up_->isChecked() ? FindDirection::Up : FindDirection::Down;
}

void FindDialog::setDirection(FindDirection direction) {
    (direction == FindDirection::Up ? up_ : down_)->setChecked(true);
}

}  // namespace ruv
