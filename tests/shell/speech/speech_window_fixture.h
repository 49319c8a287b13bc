#pragma once
// A main window with a temporary settings folder, a set clock and message
// boxes answered by the test, for the speech tests.

#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "core/platform/clock.h"
#include "core/platform/timer.h"
#include "core/text/cp932.h"
#include "shell/app/app_environment.h"
#include "shell/app/main_window.h"
#include "shell/platform/user_messages.h"
#include "support/recording_messages.h"

namespace ruv::testing {

inline QString qtext(std::string_view cp932Bytes) {
    return QString::fromStdU16String(cp932::toUtf16(cp932Bytes));
}

class SpeechWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        window = makeWindow();
    }

    std::unique_ptr<MainWindow> makeWindow() {
        return std::make_unique<MainWindow>(
            AppEnvironment{folder(), &clock, &messages, nullptr, &timers});
    }
    std::filesystem::path folder() const { return std::filesystem::path(dir.path().toStdString()); }

    // The stored speech settings with another port, as "OK" stores them.
    void storePort(std::uint16_t port) {
        SpeechSettingTexts texts = window->storedSpeech().speechSettingTexts();
        texts.port = std::to_string(port);
        window->storedSpeech().setSpeechSettingTexts(texts);
    }

    QStringList errorLines() const {
        const QString text = window->errorLog()->toPlainText();
        return text.isEmpty() ? QStringList{} : text.split(QLatin1Char('\n'));
    }

    QTemporaryDir dir;
    platform::ManualClock clock{platform::LocalDateTime{2024, 5, 1, 9, 5, 7}};
    RecordingMessages messages;
    platform::ManualTimers timers;
    std::unique_ptr<MainWindow> window;
};

}  // namespace ruv::testing
