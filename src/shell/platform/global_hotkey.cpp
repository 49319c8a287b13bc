#include "shell/platform/global_hotkey.h"

namespace ruv {

GlobalHotkey::GlobalHotkey(QObject* parent) : QObject(parent) {}

GlobalHotkey::~GlobalHotkey() = default;

bool canBeGlobalHotkey(QKeyCombination keys) {
    constexpr Qt::KeyboardModifiers kHolding =
        Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier | Qt::MetaModifier;
    const Qt::Key key = keys.key();
    const bool modifierOnly = key == Qt::Key_Control || key == Qt::Key_Alt ||
                              key == Qt::Key_Shift || key == Qt::Key_Meta || key == Qt::Key_unknown;
    if (modifierOnly) {
        return false;
    }
    return (keys.keyboardModifiers() & kHolding) != Qt::NoModifier ||
           (key >= Qt::Key_F1 && key <= Qt::Key_F24);
}

HotkeyStatus GlobalHotkey::setKeys(const QKeySequence& keys) {
    grab_.reset();
    keys_ = keys.isEmpty() ? QKeySequence() : QKeySequence(keys[0]);
    if (keys_.isEmpty()) {
        status_ = HotkeyStatus::Off;
        return status_;
    }
    if (!canBeGlobalHotkey(keys_[0])) {
        status_ = HotkeyStatus::Unusable;
        return status_;
    }
    HotkeyGrabbing grabbing = grabHotkey(keys_[0], [this] { emit pressed(); });
    grab_ = std::move(grabbing.grab);
    status_ = grabbing.status;
    return status_;
}

}  // namespace ruv
