#include "shell/app/main_window_fixture.h"

#include <QTest>

namespace ruv::testing {

void MainWindowTest::showWindow() const {
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
}

}  // namespace ruv::testing
