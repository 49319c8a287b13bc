#include "shell/log/log_watcher.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

void appendTo(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::Append));
    file.write(bytes);
}

TEST(LogWatcher, ReportsGrowthOfTheWatchedFile) {
    QTemporaryDir dir;
    const QString log = dir.filePath("MHChatLog_2024_05_01.html");
    appendTo(log, "first\n");
    ruv::LogWatcher watcher;
    watcher.watch(log);
    QSignalSpy grew(&watcher, &ruv::LogWatcher::sizeMayHaveChanged);
    appendTo(log, "second\n");
    EXPECT_TRUE(grew.wait(3000));
}

TEST(LogWatcher, ManyWritesInOneTurnGiveOneReport) {
    QTemporaryDir dir;
    const QString log = dir.filePath("log.html");
    appendTo(log, "");
    ruv::LogWatcher watcher;
    watcher.setPollInterval(std::chrono::milliseconds(20));
    watcher.watch(log);
    QSignalSpy grew(&watcher, &ruv::LogWatcher::sizeMayHaveChanged);
    for (int i = 0; i < 50; ++i) {
        appendTo(log, "line\n");
    }
    ASSERT_TRUE(grew.wait(3000));
    QTest::qWait(60);  // proves an absence: three poll turns pass, every notice is in
    // inotify and the poll may each report once, never once per write.
    EXPECT_LE(grew.count(), 3);
}

TEST(LogWatcher, SlowPollSeesGrowthWithoutFileNotices) {
    QTemporaryDir dir;
    const QString log = dir.filePath("log.html");
    appendTo(log, "a\n");
    ruv::LogWatcher watcher;
    watcher.setPollInterval(std::chrono::milliseconds(20));
    watcher.watch(log);
    QSignalSpy grew(&watcher, &ruv::LogWatcher::sizeMayHaveChanged);
    // Resize through truncate: some file systems report nothing for it.
    ASSERT_TRUE(QFile::resize(log, 100));
    EXPECT_TRUE(grew.wait(2000));
}

TEST(LogWatcher, ReportsANewFileInTheFolder) {
    QTemporaryDir dir;
    const QString log = dir.filePath("MHChatLog_2024_05_01.html");
    appendTo(log, "x\n");
    ruv::LogWatcher watcher;
    watcher.watch(log);
    QSignalSpy names(&watcher, &ruv::LogWatcher::fileNamesChanged);
    appendTo(dir.filePath("MHChatLog_2024_05_02.html"), "y\n");
    EXPECT_TRUE(names.wait(3000));
}

TEST(LogWatcher, ReleasedWatcherReportsNothing) {
    QTemporaryDir dir;
    const QString log = dir.filePath("log.html");
    appendTo(log, "x\n");
    ruv::LogWatcher watcher;
    watcher.setPollInterval(std::chrono::milliseconds(20));
    watcher.watch(log);
    watcher.release();
    QSignalSpy grew(&watcher, &ruv::LogWatcher::sizeMayHaveChanged);
    appendTo(log, "more\n");
    EXPECT_FALSE(grew.wait(100));  // five poll turns
}

}  // namespace
