// Global hotkeys on X11: a passive grab of the key on every root window, for
// each state of NumLock and CapsLock, read back from the native events Qt's
// xcb platform passes to its filters. Elsewhere (Wayland, offscreen) there are
// none.

#include "shell/platform/hotkey_grab.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QGuiApplication>

#include <xcb/xcb.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <utility>
#include <vector>

namespace ruv {

namespace {

constexpr std::uint16_t kNumLock = XCB_MOD_MASK_2;
constexpr std::uint16_t kCapsLock = XCB_MOD_MASK_LOCK;
constexpr std::array<std::uint16_t, 4> kLockStates{0, kNumLock, kCapsLock, kNumLock | kCapsLock};
// The modifiers a hotkey is made of; the others (locks, mouse buttons) are ignored.
constexpr std::uint16_t kHotkeyModifiers =
    XCB_MOD_MASK_SHIFT | XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1 | XCB_MOD_MASK_4;

xcb_connection_t* displayConnection() {
    auto* app = qGuiApp;
    if (app == nullptr || QGuiApplication::platformName() != QLatin1String("xcb")) {
        return nullptr;
    }
    auto* x11 = app->nativeInterface<QNativeInterface::QX11Application>();
    return x11 != nullptr ? x11->connection() : nullptr;
}

std::optional<std::uint16_t> modifierMask(Qt::KeyboardModifiers modifiers) {
    if (modifiers & ~(Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier |
                      Qt::KeypadModifier)) {
        return std::nullopt;
    }
    int mask = 0;
    mask |= (modifiers & Qt::ShiftModifier) ? XCB_MOD_MASK_SHIFT : 0;
    mask |= (modifiers & Qt::ControlModifier) ? XCB_MOD_MASK_CONTROL : 0;
    mask |= (modifiers & Qt::AltModifier) ? XCB_MOD_MASK_1 : 0;
    mask |= (modifiers & Qt::MetaModifier) ? XCB_MOD_MASK_4 : 0;
    return static_cast<std::uint16_t>(mask);
}

// The X keysym of a Qt key; 0 when there is none.
xcb_keysym_t keysymOf(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    if (key >= Qt::Key_F1 && key <= Qt::Key_F35) {
        return 0xffbe + static_cast<xcb_keysym_t>(key - Qt::Key_F1);
    }
    if ((modifiers & Qt::KeypadModifier) && key >= Qt::Key_0 && key <= Qt::Key_9) {
        return 0xffb0 + static_cast<xcb_keysym_t>(key - Qt::Key_0);
    }
    if (key >= Qt::Key_A && key <= Qt::Key_Z) {
        return static_cast<xcb_keysym_t>('a' + (key - Qt::Key_A));
    }
    if (key >= Qt::Key_Space && key <= Qt::Key_AsciiTilde) {
        return static_cast<xcb_keysym_t>(key);  // Latin-1 keysyms are their code points
    }
    switch (key) {
        case Qt::Key_Escape:
            return 0xff1b;
        case Qt::Key_Tab:
            return 0xff09;
        case Qt::Key_Backspace:
            return 0xff08;
        case Qt::Key_Return:
            return 0xff0d;
        case Qt::Key_Enter:
            return 0xff8d;
        case Qt::Key_Insert:
            return 0xff63;
        case Qt::Key_Delete:
            return 0xffff;
        case Qt::Key_Pause:
            return 0xff13;
        case Qt::Key_Print:
            return 0xff61;
        case Qt::Key_ScrollLock:
            return 0xff14;
        case Qt::Key_Home:
            return 0xff50;
        case Qt::Key_Left:
            return 0xff51;
        case Qt::Key_Up:
            return 0xff52;
        case Qt::Key_Right:
            return 0xff53;
        case Qt::Key_Down:
            return 0xff54;
        case Qt::Key_PageUp:
            return 0xff55;
        case Qt::Key_PageDown:
            return 0xff56;
        case Qt::Key_End:
            return 0xff57;
        default:
            return 0;
    }
}

// The first key code whose keys carry the keysym; 0 when the keyboard has none.
xcb_keycode_t keycodeOf(xcb_connection_t* connection, xcb_keysym_t keysym) {
    const xcb_setup_t* setup = xcb_get_setup(connection);
    const int count = setup->max_keycode - setup->min_keycode + 1;
    xcb_get_keyboard_mapping_reply_t* reply = xcb_get_keyboard_mapping_reply(
        connection,
        xcb_get_keyboard_mapping(connection, setup->min_keycode, static_cast<std::uint8_t>(count)),
        nullptr);
    if (reply == nullptr) {
        return 0;
    }
    const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(reply);
    const int perCode = reply->keysyms_per_keycode;
    xcb_keycode_t found = 0;
    for (int code = 0; code < count && found == 0; ++code) {
        for (int column = 0; column < perCode; ++column) {
            if (syms[code * perCode + column] == keysym) {
                found = static_cast<xcb_keycode_t>(setup->min_keycode + code);
                break;
            }
        }
    }
    std::free(reply);
    return found;
}

std::vector<xcb_window_t> rootWindows(xcb_connection_t* connection) {
    std::vector<xcb_window_t> roots;
    for (auto screens = xcb_setup_roots_iterator(xcb_get_setup(connection)); screens.rem;
         xcb_screen_next(&screens)) {
        roots.push_back(screens.data->root);
    }
    return roots;
}

class XcbHotkeyGrab final : public HotkeyGrab, public QAbstractNativeEventFilter {
  public:
    XcbHotkeyGrab(xcb_connection_t* connection, xcb_keycode_t keycode, std::uint16_t modifiers,
                  std::function<void()> onPress)
        : connection_(connection),
          keycode_(keycode),
          modifiers_(modifiers),
          onPress_(std::move(onPress)) {}

    ~XcbHotkeyGrab() override {
        if (filtering_) {
            QCoreApplication::instance()->removeNativeEventFilter(this);
        }
        for (const xcb_window_t root : rootWindows(connection_)) {
            for (const std::uint16_t locks : kLockStates) {
                xcb_ungrab_key(connection_, keycode_, root,
                               static_cast<std::uint16_t>(modifiers_ | locks));
            }
        }
        xcb_flush(connection_);
    }

    // Grabs every lock state on every screen; false when another client
    // holds any of them (what was grabbed is then given back by the destructor).
    bool grab() {
        std::vector<xcb_void_cookie_t> cookies;
        for (const xcb_window_t root : rootWindows(connection_)) {
            for (const std::uint16_t locks : kLockStates) {
                cookies.push_back(xcb_grab_key_checked(
                    connection_, 1, root, static_cast<std::uint16_t>(modifiers_ | locks), keycode_,
                    XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
            }
        }
        bool taken = false;
        for (const xcb_void_cookie_t cookie : cookies) {
            if (xcb_generic_error_t* error = xcb_request_check(connection_, cookie)) {
                taken = true;
                std::free(error);
            }
        }
        if (!taken) {
            QCoreApplication::instance()->installNativeEventFilter(this);
            filtering_ = true;
        }
        return !taken;
    }

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) override {
        if (eventType != "xcb_generic_event_t") {
            return false;
        }
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        if ((event->response_type & 0x7f) != XCB_KEY_PRESS) {
            return false;
        }
        const auto* press = static_cast<const xcb_key_press_event_t*>(message);
        if (press->detail != keycode_ || (press->state & kHotkeyModifiers) != modifiers_) {
            return false;
        }
        onPress_();
        return true;
    }

  private:
    xcb_connection_t* connection_;
    xcb_keycode_t keycode_;
    std::uint16_t modifiers_;
    std::function<void()> onPress_;
    bool filtering_ = false;
};

}  // namespace

bool hotkeysAvailable() {
    return displayConnection() != nullptr;
}

HotkeyGrabbing grabHotkey(QKeyCombination keys, std::function<void()> onPress) {
    xcb_connection_t* connection = displayConnection();
    if (connection == nullptr) {
        return {HotkeyStatus::Unavailable, nullptr};
    }
    const std::optional<std::uint16_t> modifiers = modifierMask(keys.keyboardModifiers());
    const xcb_keysym_t keysym = keysymOf(keys.key(), keys.keyboardModifiers());
    const xcb_keycode_t keycode = keysym != 0 ? keycodeOf(connection, keysym) : 0;
    if (!modifiers || keycode == 0) {
        return {HotkeyStatus::Unusable, nullptr};
    }
    auto grab =
        std::make_unique<XcbHotkeyGrab>(connection, keycode, *modifiers, std::move(onPress));
    if (!grab->grab()) {
        return {HotkeyStatus::Taken, nullptr};
    }
    return {HotkeyStatus::Held, std::move(grab)};
}

}  // namespace ruv
