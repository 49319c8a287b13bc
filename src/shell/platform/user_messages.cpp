#include "shell/platform/user_messages.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace ruv {

void DialogUserMessages::show(MessageKind kind, const QString& text) {
    showTitled(kind, QApplication::applicationName(), text);
}

void DialogUserMessages::showTitled(MessageKind kind, const QString& title, const QString& text) {
    const QMessageBox::Icon icon = kind == MessageKind::Warning       ? QMessageBox::Warning
                                   : kind == MessageKind::Information ? QMessageBox::Information
                                                                      : QMessageBox::NoIcon;
    QMessageBox box(icon, title, text, QMessageBox::Ok, parent_);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

Answer DialogUserMessages::ask(const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No,
                    parent_);
    box.setTextFormat(Qt::PlainText);
    return box.exec() == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

Answer DialogUserMessages::confirm(const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Ok | QMessageBox::Cancel,
                    parent_);
    box.setTextFormat(Qt::PlainText);
    box.button(QMessageBox::Cancel)->setText(QStringLiteral("キャンセル"));
    return box.exec() == QMessageBox::Ok ? Answer::Yes : Answer::No;
}

}  // namespace ruv
