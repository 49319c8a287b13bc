#pragma once
// Swallows typed characters a field does not accept (ExpLabeledEdit01KeyPress,
// HoseiLabeledEdit01KeyPress), and drops them from text an input method
// commits. Control chords such as Ctrl+V and pasted text pass untouched.

#include <QObject>

#include "core/exp/exp_key_filters.h"

class QInputMethodEvent;
class QKeyEvent;

namespace ruv {

class TypedKeyFilter final : public QObject {
  public:
    TypedKeyFilter(KeyAcceptor accepts, QObject* parent) : QObject(parent), accepts_(accepts) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool filterKey(const QKeyEvent& key) const;
    bool filterCommit(QObject* watched, const QInputMethodEvent& input) const;

    KeyAcceptor accepts_;
};

}  // namespace ruv
