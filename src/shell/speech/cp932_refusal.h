#pragma once
// Refuses typed or pasted text that Shift-JIS (CP932) cannot hold and says so,
// so that what is stored is exactly what the user sees.

#include <QValidator>

#include <functional>

namespace ruv {

// "Shift-JIS(CP932)で表せない文字が含まれているため入力できません"
QString cp932RefusalText();

class RefusingCp932Validator final : public QValidator {
    Q_OBJECT
  public:
    // refused runs once the event loop is back, after the edit was turned down.
    RefusingCp932Validator(std::function<void()> refused, QObject* parent);
    State validate(QString& input, int& pos) const override;

  private:
    std::function<void()> refused_;
    mutable bool pending_ = false;
};

}  // namespace ruv
