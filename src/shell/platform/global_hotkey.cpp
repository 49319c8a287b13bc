#include "shell/platform/global_hotkey.h"

namespace ruv {

GlobalHotkey::GlobalHotkey(QObject* parent) : QObject(parent) {}

GlobalHotkey::~GlobalHotkey() = default;

HotkeyStatus GlobalHotkey::setKeys(const QKeySequence& keys) {
    grab_.reset();
    keys_ = keys.isEmpty() ? QKeySequence() : QKeySequence(keys[0]);
    if (keys_.isEmpty()) {
        status_ = HotkeyStatus::Off;
        return status_;
    }
    HotkeyGrabbing grabbing = grabHotkey(keys_[0], [this] { emit pressed(); });
    grab_ = std::move(grabbing.grab);
    status_ = grabbing.status;
    return status_;
}

}  // namespace ruv
