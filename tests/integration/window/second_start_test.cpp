// A second start of the program in the same program folder, as a separate
// process: it hands its log to the running copy (this test's window) and
// ends; the running copy comes to the front and attaches the log.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "shell/app/main_window.h"
#include "shell/app/single_instance.h"
#include "shell/platform/qt_text.h"
#include "support/recording_messages.h"

namespace {

using ruv::testing::RecordingMessages;

TEST(SecondStart, HandsItsLogToTheRunningCopyWhichComesToTheFrontAndAttachesIt) {
    QTemporaryDir programFolder;
    QTemporaryDir logFolder;
    ASSERT_TRUE(programFolder.isValid() && logFolder.isValid());
    const QString logName = QStringLiteral("MHChatLog_2024_05_01.html");
    QFile log(logFolder.filePath(logName));
    ASSERT_TRUE(log.open(QIODevice::WriteOnly));
    log.write("<html><body>\r\n");
    log.close();

    ruv::SingleInstance instance(programFolder.path());
    ASSERT_EQ(instance.claim(QString()), ruv::InstanceRole::Running);
    RecordingMessages messages;
    ruv::AppEnvironment environment;
    environment.settingsFolder = ruv::pathFromQString(programFolder.path());
    environment.messages = &messages;
    ruv::MainWindow window(environment);
    QObject::connect(&instance, &ruv::SingleInstance::handedOver, &window,
                     &ruv::MainWindow::receiveHandOver);
    window.showMinimized();
    ASSERT_TRUE(window.isMinimized());

    // Named from its own working folder, as a file manager starts it.
    QProcess second;
    second.setWorkingDirectory(logFolder.path());
    second.setProcessChannelMode(QProcess::ForwardedChannels);
    second.start(QDir(QCoreApplication::applicationDirPath()).filePath(SECOND_START_PROCESS),
                 {programFolder.path(), logName});
    ASSERT_TRUE(second.waitForStarted(10'000)) << second.errorString().toStdString();
    ASSERT_TRUE(QTest::qWaitFor([&] { return second.state() == QProcess::NotRunning; }, 15'000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0)
        << "the second start did not leave the start to the running copy";

    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return !window.statusText(ruv::StatusPanel::Path).isEmpty(); }, 5'000));
    EXPECT_EQ(QFileInfo(window.statusText(ruv::StatusPanel::Path)).canonicalFilePath(),
              QFileInfo(log).canonicalFilePath());
    EXPECT_FALSE(window.isMinimized());
    EXPECT_TRUE(messages.shown.empty());
}

}  // namespace
