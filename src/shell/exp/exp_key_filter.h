#pragma once
// Swallows typed characters a field does not accept (ExpLabeledEdit01KeyPress,
// HoseiLabeledEdit01KeyPress). Control chords such as Ctrl+V and pasted text
// pass untouched.

#include <QObject>

namespace ruv {

using KeyAcceptor = bool (*)(char32_t typed) noexcept;

class TypedKeyFilter final : public QObject {
  public:
    TypedKeyFilter(KeyAcceptor accepts, QObject* parent) : QObject(parent), accepts_(accepts) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    KeyAcceptor accepts_;
};

}  // namespace ruv
