#pragma once
// Shared helpers for the main-window tests: one fresh MainWindow per test.

#include <gtest/gtest.h>

#include <QAction>
#include <QString>
#include <QTabWidget>

#include <memory>
#include <string>

#include "shell/app/main_window.h"
#include "shell/app/page_control.h"
#include "support/cp932_text.h"

namespace ruv::testing {

class MainWindowTest : public ::testing::Test {
  protected:
    void SetUp() override { window = std::make_unique<MainWindow>(); }

    QAction* entry(const char* name) const {
        QAction* action = window->findChild<QAction*>(QString::fromLatin1(name));
        EXPECT_NE(action, nullptr) << name;
        return action;
    }
    QTabWidget* pages() const {
        return window->findChild<QTabWidget*>(QStringLiteral("PageControl1"));
    }
    // Shows the window and waits until it can take input.
    void showWindow() const;

    std::unique_ptr<MainWindow> window;
};

}  // namespace ruv::testing
