// The speech commands' global hotkeys on a real X display (xvfb-run, the xcb
// platform): xdotool presses the keys while another client's window holds the
// focus, and a key another client grabbed first is said to be taken.

#include <gtest/gtest.h>

#include <QAction>
#include <QGuiApplication>
#include <QKeySequenceEdit>
#include <QLabel>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

#include <xcb/xcb.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "shell/app/session.h"
#include "shell/speech/speech_dialog.h"
#include "shell/speech/speech_side.h"
#include "shell/speech/speech_window_fixture.h"
#include "support/fake_speech_program.h"

namespace ruv::testing {
namespace {

using namespace std::chrono_literals;

constexpr xcb_keysym_t kF11 = 0xffc8;

// Another program on the same display: its own connection, its own window.
class OtherClient {
  public:
    OtherClient() : connection_(xcb_connect(nullptr, nullptr)) {}
    ~OtherClient() { xcb_disconnect(connection_); }
    OtherClient(const OtherClient&) = delete;
    OtherClient& operator=(const OtherClient&) = delete;

    bool connected() const { return xcb_connection_has_error(connection_) == 0; }

    // Maps a window and gives it the keyboard focus.
    bool holdFocus() {
        xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data;
        const xcb_window_t window = xcb_generate_id(connection_);
        xcb_create_window(connection_, XCB_COPY_FROM_PARENT, window, screen->root, 0, 0, 300, 200,
                          0, XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, 0, nullptr);
        xcb_map_window(connection_, window);
        xcb_set_input_focus(connection_, XCB_INPUT_FOCUS_POINTER_ROOT, window, XCB_CURRENT_TIME);
        xcb_get_input_focus_reply_t* focus =
            xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_), nullptr);
        const bool held = focus != nullptr && focus->focus == window;
        std::free(focus);
        return held;
    }

    bool grab(xcb_keysym_t keysym, std::uint16_t modifiers) {
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
        xcb_generic_error_t* error = xcb_request_check(
            connection_, xcb_grab_key_checked(connection_, 1, root, modifiers, keycodeOf(keysym),
                                              XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
        std::free(error);
        return error == nullptr;
    }

  private:
    xcb_keycode_t keycodeOf(xcb_keysym_t keysym) {
        const xcb_setup_t* setup = xcb_get_setup(connection_);
        const int count = setup->max_keycode - setup->min_keycode + 1;
        xcb_get_keyboard_mapping_reply_t* reply = xcb_get_keyboard_mapping_reply(
            connection_,
            xcb_get_keyboard_mapping(connection_, setup->min_keycode,
                                     static_cast<std::uint8_t>(count)),
            nullptr);
        const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(reply);
        xcb_keycode_t found = 0;
        for (int i = 0; i < count * reply->keysyms_per_keycode && found == 0; ++i) {
            if (syms[i] == keysym) {
                found =
                    static_cast<xcb_keycode_t>(setup->min_keycode + i / reply->keysyms_per_keycode);
            }
        }
        std::free(reply);
        return found;
    }

    xcb_connection_t* connection_;
};

class GlobalHotkeyTest : public SpeechWindowTest {
  protected:
    void SetUp() override {
        if (QGuiApplication::platformName() != QLatin1String("xcb")) {
            GTEST_SKIP() << "needs an X display (run under xvfb-run with QT_QPA_PLATFORM=xcb)";
        }
        SpeechWindowTest::SetUp();
    }

    SpeechDialog* openDialog() {
        window->openSpeechSettings();
        return window->speechDialog();
    }
    // Types keys into a hotkey field as the player does: the field records
    // them, then its editing ends.
    void typeHotkey(SpeechDialog* dialog, const char* field, const QKeySequence& keys) {
        auto* edit = dialog->findChild<QKeySequenceEdit*>(QString::fromLatin1(field) +
                                                          QStringLiteral("Edit"));
        ASSERT_NE(edit, nullptr);
        edit->setKeySequence(keys);
        emit edit->editingFinished();
    }
    QString note(SpeechDialog* dialog, const char* field) {
        return dialog->findChild<QLabel*>(QString::fromLatin1(field) + QStringLiteral("Note"))
            ->text();
    }
    static bool xdotool(const QString& keys) {
        return QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("key"), keys}) == 0;
    }
};

TEST_F(GlobalHotkeyTest, KeysPressedInAnotherProgramsWindowRunTheSpeechCommands) {
    if (QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty()) {
        GTEST_SKIP() << "needs xdotool";
    }
    FakeSpeechProgram program(400);
    storePort(program.port());
    window->session().speechSide.client().setEndpoint({"127.0.0.1", program.port()});

    SpeechDialog* dialog = openDialog();
    typeHotkey(dialog, "HotkeySkip", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F9));
    typeHotkey(dialog, "HotkeyPause", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F10));
    EXPECT_EQ(note(dialog, "HotkeySkip"), QString());
    dialog->okClicked();

    OtherClient game;
    ASSERT_TRUE(game.connected());
    ASSERT_TRUE(game.holdFocus());
    ASSERT_TRUE(xdotool(QStringLiteral("ctrl+shift+F9")));
    EXPECT_TRUE(QTest::qWaitFor([&] { return program.commands(0x0030) == 1; }, 5000));
    ASSERT_TRUE(xdotool(QStringLiteral("ctrl+shift+F10")));
    EXPECT_TRUE(QTest::qWaitFor([&] { return program.paused(); }, 5000));
    EXPECT_TRUE(window->findChild<QAction*>(QStringLiteral("SpeechPause"))->isChecked());
    // The key with NumLock on is the same hotkey.
    ASSERT_TRUE(xdotool(QStringLiteral("Num_Lock")));
    ASSERT_TRUE(xdotool(QStringLiteral("ctrl+shift+F10")));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !program.paused(); }, 5000));
    xdotool(QStringLiteral("Num_Lock"));

    window->close();
    window.reset();
    std::ifstream file(folder() / kSpeechQueueFile, std::ios::binary);
    std::stringstream written;
    written << file.rdbuf();
    EXPECT_NE(written.str().find("HotkeySkip=Ctrl+Shift+F9\r\n"), std::string::npos);
    EXPECT_NE(written.str().find("HotkeyPause=Ctrl+Shift+F10\r\n"), std::string::npos);
}

TEST_F(GlobalHotkeyTest, AKeyAnotherProgramGrabbedIsSaidToBeTakenNextToItsField) {
    OtherClient other;
    ASSERT_TRUE(other.connected());
    ASSERT_TRUE(other.grab(kF11, XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1));

    SpeechDialog* dialog = openDialog();
    typeHotkey(dialog, "HotkeyClear", QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_F11));
    EXPECT_EQ(note(dialog, "HotkeyClear"),
              QStringLiteral("ほかのプログラムが使っているため、このキーは使えません"));
    // Keys free to take say nothing; keys another command has are refused.
    typeHotkey(dialog, "HotkeySkip", QKeySequence(Qt::CTRL | Qt::ALT | Qt::SHIFT | Qt::Key_F11));
    EXPECT_EQ(note(dialog, "HotkeySkip"), QString());
    typeHotkey(dialog, "HotkeyPause", QKeySequence(Qt::CTRL | Qt::ALT | Qt::SHIFT | Qt::Key_F11));
    EXPECT_EQ(note(dialog, "HotkeyPause"), QStringLiteral("ほかの操作と同じキーです"));
    dialog->cancelClicked();
}

}  // namespace
}  // namespace ruv::testing
