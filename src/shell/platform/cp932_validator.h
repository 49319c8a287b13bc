#pragma once
// Refuses typed or pasted text that CP932 cannot hold, so that what the user
// sees is exactly what the core searches for.

#include <QValidator>

namespace ruv {

class Cp932Validator : public QValidator {
    Q_OBJECT
  public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override;
};

}  // namespace ruv
