#pragma once
// The platform's part of a global hotkey: one key combination taken from the
// whole desktop, so that it works while another program has the focus.
// RegisterHotKey on Windows, a key grab on the X11 root window elsewhere.

#include <QKeyCombination>

#include <functional>
#include <memory>

namespace ruv {

enum class HotkeyStatus {
    Off,          // no keys set
    Held,         // taken: a press calls back
    Taken,        // another program already holds the keys
    Unavailable,  // the desktop offers no global keys (Wayland, offscreen)
    Unusable,     // keys the platform cannot take (a lone modifier, an unknown key)
};

// Holds the keys while it lives; destroying it gives them back.
class HotkeyGrab {
  public:
    virtual ~HotkeyGrab() = default;
};

struct HotkeyGrabbing {
    HotkeyStatus status = HotkeyStatus::Off;
    std::unique_ptr<HotkeyGrab> grab;  // set when status is Held
};

// Whether the running desktop offers global keys at all.
bool hotkeysAvailable();

// Takes `keys` from the desktop. `onPress` runs on the user-interface thread,
// from the native event that reports the press.
HotkeyGrabbing grabHotkey(QKeyCombination keys, std::function<void()> onPress);

}  // namespace ruv
