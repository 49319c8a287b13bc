#pragma once
// FindDialog01: the modeless find dialog of the views. It only collects the
// search text and the direction; the window runs the search on each press.

#include <QDialog>

#include "core/views/find_in_text.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace ruv {

class FindDialog : public QDialog {
    Q_OBJECT
  public:
    explicit FindDialog(QWidget* parent = nullptr);

    QString findText() const;
    void setFindText(const QString& text);
    FindDirection direction() const;
    void setDirection(FindDirection direction);

    QLineEdit* textEdit() const { return text_; }
    QPushButton* findButton() const { return findButton_; }
    // Offered as the system's find dialog offers them; the search ignores them.
    QCheckBox* matchCaseBox() const { return matchCase_; }
    QCheckBox* wholeWordBox() const { return wholeWord_; }

  signals:
    // The find button was pressed (the button is enabled only while text is entered).
    void findRequested();

  private:
    QLineEdit* text_ = nullptr;
    QPushButton* findButton_ = nullptr;
    QRadioButton* up_ = nullptr;
    QRadioButton* down_ = nullptr;
    QCheckBox* matchCase_ = nullptr;
    QCheckBox* wholeWord_ = nullptr;
};

}  // namespace ruv
