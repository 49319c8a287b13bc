// A key pressed alone is never taken from every program: the game and every
// window would lose it.

#include <gtest/gtest.h>

#include <QKeySequence>

#include "shell/platform/global_hotkey.h"

namespace ruv::testing {
namespace {

TEST(GlobalHotkeyKeys, AKeyAloneIsRefusedUnlessItIsAFunctionKey) {
    struct Case {
        const char* keys;
        bool refused;
    };
    for (const Case c :
         {Case{"Esc", true}, Case{"A", true}, Case{"Return", true}, Case{"Space", true},
          Case{"F9", false}, Case{"Ctrl+Esc", false}, Case{"Shift+A", false},
          Case{"Ctrl+Alt+S", false}, Case{"Ctrl+Shift+F10", false}}) {
        SCOPED_TRACE(c.keys);
        GlobalHotkey hotkey;
        const HotkeyStatus status = hotkey.setKeys(QKeySequence(QString::fromLatin1(c.keys)));
        EXPECT_EQ(status == HotkeyStatus::Unusable, c.refused);
    }
}

}  // namespace
}  // namespace ruv::testing
