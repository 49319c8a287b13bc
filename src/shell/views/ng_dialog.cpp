#include "shell/views/ng_dialog.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "core/text/cp932.h"
#include "core/views/ng_lists.h"
#include "shell/platform/user_messages.h"
#include "shell/views/cp932_input.h"

namespace ruv {
namespace {

constexpr int kWidth = 520;
constexpr int kHeight = 430;

const QString kNote = QStringLiteral(
    "＜簡易説明書＞\n"
    "ユーザー・ワードのNG検索は、1行ずつになります。\n"
    "例えば、NGユーザーリストの1行に\n"
    "　ルヴィ　まりも\n"
    "と書くと、「ルヴィ」と「まりも」の2人ではなく、「ルヴィ　まりも」という名前の"
    "1人のユーザーとして扱われ、ルヴィさんもまりもさんもNGになりません。\n"
    "NG対象にするユーザー・ワードを設定する時に注意してください。");

QPlainTextEdit* listMemo(const char* name, QWidget* parent) {
    auto* memo = new QPlainTextEdit(parent);
    memo->setObjectName(QString::fromLatin1(name));
    memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    return memo;
}

QGroupBox* group(const QString& caption, QPlainTextEdit* memo, QWidget* parent) {
    auto* box = new QGroupBox(caption, parent);
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(memo);
    return box;
}

// The memo's text: the entries, one a line, each ended by a line break.
QString memoText(const std::vector<std::string>& entries) {
    QString text;
    for (const std::string& entry : entries) {
        text += QString::fromStdU16String(cp932::toUtf16(entry));
        text += QLatin1Char('\n');
    }
    return text;
}

}  // namespace

NgDialog::NgDialog(NgLists& lists, UserMessages& messages, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      lists_(lists),
      messages_(messages) {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("NGフィルターの設定"));

    userMemo_ = listMemo("NGMemo01", this);
    wordMemo_ = listMemo("NGMemo02", this);
    auto* listsRow = new QHBoxLayout;
    listsRow->addWidget(group(QStringLiteral("NGユーザーリストの設定"), userMemo_, this));
    listsRow->addWidget(group(QStringLiteral("NGワードリストの設定"), wordMemo_, this));

    note_ = new QPlainTextEdit(this);
    note_->setObjectName(QStringLiteral("NoteMemo01"));
    note_->setReadOnly(true);
    note_->setPlainText(kNote);
    note_->setFixedHeight(120);

    okButton_ = new QPushButton(QStringLiteral("OK"), this);
    okButton_->setObjectName(QStringLiteral("Button1"));
    okButton_->setDefault(true);
    cancelButton_ = new QPushButton(QStringLiteral("キャンセル"), this);
    cancelButton_->setObjectName(QStringLiteral("Button2"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(okButton_);
    buttons->addWidget(cancelButton_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(listsRow, 1);
    layout->addWidget(note_);
    layout->addLayout(buttons);
    setFixedSize(kWidth, kHeight);

    connect(okButton_, &QPushButton::clicked, this, &NgDialog::okClicked);
    connect(cancelButton_, &QPushButton::clicked, this, &NgDialog::cancelClicked);
}

void NgDialog::fillFromLists() {
    userMemo_->setPlainText(memoText(lists_.users));
    wordMemo_->setPlainText(memoText(lists_.words));
}

void NgDialog::centreOnDesktop() {
    const QScreen* screen = this->screen();
    if (screen == nullptr) {
        return;
    }
    QRect frame = frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
}

void NgDialog::okClicked() {
    const Cp932Input users = cp932Input(userMemo_->toPlainText());
    const Cp932Input words = cp932Input(wordMemo_->toPlainText());
    for (const auto& [input, listName] : {std::pair{&users, QStringLiteral("NGユーザーリスト")},
                                          std::pair{&words, QStringLiteral("NGワードリスト")}}) {
        if (!input->bytes) {
            messages_.show(MessageKind::Warning,
                           QStringLiteral("%1に、Shift-JISで扱えない文字「%2」が含まれているため、"
                                          "設定を保存できません。\n"
                                          "その文字を削除してから、もう一度OKを押してください。")
                               .arg(listName, input->refused));
            return;
        }
    }
    ApplyNgDialog(lists_, *users.bytes, *words.bytes);
    accept();
}

void NgDialog::cancelClicked() {
    reject();
}

}  // namespace ruv
