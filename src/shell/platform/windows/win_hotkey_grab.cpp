// Global hotkeys on Windows: RegisterHotKey for the user-interface thread,
// whose WM_HOTKEY messages Qt's event dispatcher passes to its native filters.

#include "shell/platform/hotkey_grab.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QGuiApplication>

#include <windows.h>

#include <atomic>
#include <optional>
#include <utility>

namespace ruv {

namespace {

std::optional<UINT> modifierFlags(Qt::KeyboardModifiers modifiers) {
    if (modifiers & ~(Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier |
                      Qt::KeypadModifier)) {
        return std::nullopt;
    }
    UINT flags = MOD_NOREPEAT;
    flags |= (modifiers & Qt::ShiftModifier) ? MOD_SHIFT : 0U;
    flags |= (modifiers & Qt::ControlModifier) ? MOD_CONTROL : 0U;
    flags |= (modifiers & Qt::AltModifier) ? MOD_ALT : 0U;
    flags |= (modifiers & Qt::MetaModifier) ? MOD_WIN : 0U;
    return flags;
}

// The virtual-key code of a Qt key; 0 when there is none.
UINT virtualKeyOf(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) {
        return VK_F1 + static_cast<UINT>(key - Qt::Key_F1);
    }
    if ((modifiers & Qt::KeypadModifier) && key >= Qt::Key_0 && key <= Qt::Key_9) {
        return VK_NUMPAD0 + static_cast<UINT>(key - Qt::Key_0);
    }
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9)) {
        return static_cast<UINT>(key);  // the virtual keys of letters and digits are their ASCII
    }
    switch (key) {
        case Qt::Key_Space:
            return VK_SPACE;
        case Qt::Key_Escape:
            return VK_ESCAPE;
        case Qt::Key_Tab:
            return VK_TAB;
        case Qt::Key_Backspace:
            return VK_BACK;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return VK_RETURN;
        case Qt::Key_Insert:
            return VK_INSERT;
        case Qt::Key_Delete:
            return VK_DELETE;
        case Qt::Key_Pause:
            return VK_PAUSE;
        case Qt::Key_Print:
            return VK_SNAPSHOT;
        case Qt::Key_ScrollLock:
            return VK_SCROLL;
        case Qt::Key_Home:
            return VK_HOME;
        case Qt::Key_End:
            return VK_END;
        case Qt::Key_Left:
            return VK_LEFT;
        case Qt::Key_Up:
            return VK_UP;
        case Qt::Key_Right:
            return VK_RIGHT;
        case Qt::Key_Down:
            return VK_DOWN;
        case Qt::Key_PageUp:
            return VK_PRIOR;
        case Qt::Key_PageDown:
            return VK_NEXT;
        default:
            break;
    }
    if (key > Qt::Key_Space && key <= Qt::Key_AsciiTilde) {
        // Punctuation: the key that types it on the current layout.
        const SHORT scan = VkKeyScanW(static_cast<WCHAR>(key));
        return scan == -1 ? 0U : static_cast<UINT>(scan & 0xff);
    }
    return 0;
}

// Hotkey identifiers are per thread; each grab takes the next one.
int nextHotkeyId() {
    static std::atomic<int> next{1};
    return next.fetch_add(1) % 0xBFFF + 1;
}

class WindowsHotkeyGrab final : public HotkeyGrab, public QAbstractNativeEventFilter {
  public:
    WindowsHotkeyGrab(int id, std::function<void()> onPress)
        : id_(id), onPress_(std::move(onPress)) {
        QCoreApplication::instance()->installNativeEventFilter(this);
    }

    ~WindowsHotkeyGrab() override {
        QCoreApplication::instance()->removeNativeEventFilter(this);
        UnregisterHotKey(nullptr, id_);
    }

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) override {
        if (eventType != "windows_generic_MSG") {
            return false;
        }
        const auto* msg = static_cast<const MSG*>(message);
        if (msg->message != WM_HOTKEY || msg->wParam != static_cast<WPARAM>(id_)) {
            return false;
        }
        onPress_();
        return true;
    }

  private:
    int id_;
    std::function<void()> onPress_;
};

}  // namespace

// Offscreen (the tests) there is no desktop to take keys from.
bool hotkeysAvailable() {
    return QGuiApplication::platformName() == QLatin1String("windows");
}

HotkeyGrabbing grabHotkey(QKeyCombination keys, std::function<void()> onPress) {
    if (!hotkeysAvailable()) {
        return {HotkeyStatus::Unavailable, nullptr};
    }
    const std::optional<UINT> flags = modifierFlags(keys.keyboardModifiers());
    const UINT virtualKey = virtualKeyOf(keys.key(), keys.keyboardModifiers());
    if (!flags || virtualKey == 0) {
        return {HotkeyStatus::Unusable, nullptr};
    }
    const int id = nextHotkeyId();
    if (!RegisterHotKey(nullptr, id, *flags, virtualKey)) {
        const DWORD error = GetLastError();
        return {
            error == ERROR_HOTKEY_ALREADY_REGISTERED ? HotkeyStatus::Taken : HotkeyStatus::Unusable,
            nullptr};
    }
    return {HotkeyStatus::Held, std::make_unique<WindowsHotkeyGrab>(id, std::move(onPress))};
}

}  // namespace ruv
