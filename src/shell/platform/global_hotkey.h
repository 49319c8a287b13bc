#pragma once
// One action's global hotkey: keys that trigger it from anywhere on the
// desktop, the game included. Each action that wants one makes its own;
// setting other keys releases the ones held before.

#include <QKeySequence>
#include <QObject>

#include <memory>

#include "shell/platform/hotkey_grab.h"

namespace ruv {

// Whether a key combination may be taken from every program: a key pressed
// alone (Escape, a letter, Enter) would be lost to the game and to every
// window, so it needs Ctrl, Alt, Shift or the Windows key; only the function
// keys F1 to F24 stand alone.
bool canBeGlobalHotkey(QKeyCombination keys);

class GlobalHotkey : public QObject {
    Q_OBJECT
  public:
    explicit GlobalHotkey(QObject* parent = nullptr);
    ~GlobalHotkey() override;

    // Releases the keys held, then takes the first combination of `keys`; an
    // empty sequence turns the hotkey off.
    HotkeyStatus setKeys(const QKeySequence& keys);
    const QKeySequence& keys() const { return keys_; }
    HotkeyStatus status() const { return status_; }

  signals:
    void pressed();

  private:
    QKeySequence keys_;
    HotkeyStatus status_ = HotkeyStatus::Off;
    std::unique_ptr<HotkeyGrab> grab_;
};

}  // namespace ruv
