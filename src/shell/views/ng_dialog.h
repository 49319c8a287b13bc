#pragma once
// NgDialog: the NG filter settings dialog. Both lists are edited as plain text,
// one entry per line; OK writes them back, キャンセル leaves them alone.

#include <QDialog>

class QPlainTextEdit;
class QPushButton;

namespace ruv {

struct NgLists;
class UserMessages;

class NgDialog : public QDialog {
    Q_OBJECT
  public:
    NgDialog(NgLists& lists, UserMessages& messages, QWidget* parent = nullptr);

    // Fills NGMemo01 with the NG user list and NGMemo02 with the NG word list.
    void fillFromLists();
    // Puts the dialog in the middle of the desktop it is on.
    void centreOnDesktop();

    // OK: both lists replaced by the memos' lines, then closed. Text that
    // Shift-JIS cannot hold is refused with a warning; the dialog stays open
    // and nothing changes.
    void okClicked();
    // キャンセル: closed, lists unchanged.
    void cancelClicked();

    QPlainTextEdit* userMemo() const { return userMemo_; }  // NGMemo01
    QPlainTextEdit* wordMemo() const { return wordMemo_; }  // NGMemo02
    QPlainTextEdit* note() const { return note_; }
    QPushButton* okButton() const { return okButton_; }          // Button1
    QPushButton* cancelButton() const { return cancelButton_; }  // Button2

  private:
    NgLists& lists_;
    UserMessages& messages_;
    QPlainTextEdit* userMemo_ = nullptr;
    QPlainTextEdit* wordMemo_ = nullptr;
    QPlainTextEdit* note_ = nullptr;
    QPushButton* okButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
};

}  // namespace ruv
