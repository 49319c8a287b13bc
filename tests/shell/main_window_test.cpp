#include <gtest/gtest.h>

#include "shell/app/ruvivuvaz.h"

TEST(MainWindow, IsTitledWithTheProductName) {
    ruv::TForm1 window;
    EXPECT_EQ(window.windowTitle(), QStringLiteral("DIrararezuvero"));
}
