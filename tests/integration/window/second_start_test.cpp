// A later start of the program in the same program folder, as a separate
// process: it hands its log to the running copy (this test's window) and
// ends; the running copy comes to the front and attaches the log. A lock left
// by a copy that has ended is taken over, a copy that takes no request is
// reported, a copy whose window has closed takes no request, and of starts at
// the same moment only one runs. The guard holds without a runtime folder.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <memory>
#include <utility>
#include <vector>

#include "core/platform/timer.h"
#include "shell/app/main_window.h"
#include "shell/app/single_instance.h"
#include "shell/platform/qt_text.h"
#include "support/recording_messages.h"

namespace {

using ruv::testing::RecordingMessages;

enum class EventLoop { Runs, Stands };

QString secondStartProgram() {
    return QDir(QCoreApplication::applicationDirPath()).filePath(SECOND_START_PROCESS);
}

// Runs a later start in `workingFolder`; its exit code (0 handed over, 3 became
// the running copy, 4 no answer). While it runs, this process's event loop
// runs (a running copy takes requests) or stands (it takes none).
int laterStart(const QString& programFolder, const QString& workingFolder, const QString& log,
               EventLoop loop) {
    QProcess second;
    second.setWorkingDirectory(workingFolder);
    second.setProcessChannelMode(QProcess::ForwardedChannels);
    QStringList arguments{programFolder};
    if (!log.isEmpty()) {
        arguments << log;
    }
    second.start(secondStartProgram(), arguments);
    EXPECT_TRUE(second.waitForStarted(10'000)) << second.errorString().toStdString();
    if (loop == EventLoop::Runs) {
        EXPECT_TRUE(
            QTest::qWaitFor([&] { return second.state() == QProcess::NotRunning; }, 15'000));
    } else {
        EXPECT_TRUE(second.waitForFinished(15'000));
    }
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    return second.exitCode();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    file.write(bytes);
}

QString canonical(const QString& path) {
    return QFileInfo(path).canonicalFilePath();
}

class SecondStart : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(programFolder.isValid() && logFolder.isValid());
        environment.settingsFolder = ruv::pathFromQString(programFolder.path());
        environment.messages = &messages;
    }
    QString writeLog(const QString& name, const QByteArray& bytes) const {
        const QString path = logFolder.filePath(name);
        writeFile(path, bytes);
        return path;
    }

    QTemporaryDir programFolder;
    QTemporaryDir logFolder;
    RecordingMessages messages;
    ruv::AppEnvironment environment;
};

TEST_F(SecondStart, HandsItsLogToTheRunningCopyWhichComesToTheFrontAndAttachesIt) {
    const QString log = writeLog(QStringLiteral("MHChatLog_2024_05_01.html"), "<html><body>\r\n");
    ruv::SingleInstance instance(programFolder.path());
    ASSERT_EQ(instance.claim(QString()), ruv::InstanceRole::Running);
    ruv::MainWindow window(environment);
    window.serveLaterStarts(instance);
    window.showMinimized();
    ASSERT_TRUE(window.isMinimized());

    // Named from its own working folder, as a file manager starts it.
    EXPECT_EQ(laterStart(programFolder.path(), logFolder.path(), QFileInfo(log).fileName(),
                         EventLoop::Runs),
              0)
        << "the second start did not leave the start to the running copy";

    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return !window.statusText(ruv::StatusPanel::Path).isEmpty(); }, 5'000));
    EXPECT_EQ(canonical(window.statusText(ruv::StatusPanel::Path)), canonical(log));
    EXPECT_FALSE(window.isMinimized());
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(SecondStart, TakesOverALockWhoseCopyHasEndedAndSaysWhenARunningCopyDoesNotAnswer) {
    const QString lock = ruv::SingleInstance::lockFilePath(programFolder.path());
    ASSERT_FALSE(lock.isEmpty());
    const QByteArray liveProcess =
        QByteArray::number(QCoreApplication::applicationPid()) + "\n" +
        QFileInfo(QCoreApplication::applicationFilePath()).fileName().toUtf8() + "\n\n";
    for (const QByteArray& left : {QByteArray(), QByteArray("\x01\xff garbage"), liveProcess}) {
        writeFile(lock, left);
        EXPECT_EQ(laterStart(programFolder.path(), logFolder.path(), {}, EventLoop::Runs), 3)
            << "a lock holding \"" << left.toStdString() << "\" was not taken over";
    }

    ruv::SingleInstance running(programFolder.path());
    ASSERT_EQ(running.claim(QString()), ruv::InstanceRole::Running);
    EXPECT_EQ(laterStart(programFolder.path(), logFolder.path(), {}, EventLoop::Stands), 4);
    running.release();
    QDir(lock.chopped(5)).removeRecursively();  // the request it never took
}

TEST_F(SecondStart, OfStartsAtTheSameMomentNeverTwoRunAtOnce) {
    using namespace std::chrono;
    constexpr int kRounds = 12;
    constexpr int kFoldersAtOnce = 4;
    constexpr int kStartsPerFolder = 6;  // more starts than cores: one may stop mid-claim
    // The lock files, which stay, go to a folder of the test's own.
    QTemporaryDir runtime;
    ASSERT_TRUE(runtime.isValid());
    QProcessEnvironment variables = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"XDG_RUNTIME_DIR", "TMP", "TEMP"}) {
        variables.insert(QString::fromLatin1(name), runtime.path());
    }
    for (int round = 0; round < kRounds; ++round) {
        std::vector<std::unique_ptr<QTemporaryDir>> folders;
        std::vector<std::unique_ptr<QProcess>> starts;
        const auto at = duration_cast<milliseconds>(system_clock::now().time_since_epoch()) + 600ms;
        for (int f = 0; f < kFoldersAtOnce; ++f) {
            folders.push_back(std::make_unique<QTemporaryDir>());
            for (int s = 0; s < kStartsPerFolder; ++s) {
                auto& start = starts.emplace_back(std::make_unique<QProcess>());
                start->setProcessChannelMode(QProcess::ForwardedChannels);
                start->setProcessEnvironment(variables);
                start->start(secondStartProgram(),
                             {QStringLiteral("--at"), QString::number(at.count()),
                              QStringLiteral("--serve"), folders.back()->path()});
            }
        }
        for (std::size_t f = 0; f < folders.size(); ++f) {
            std::vector<int> exits;
            for (std::size_t s = 0; s < kStartsPerFolder; ++s) {
                QProcess& start = *starts[f * kStartsPerFolder + s];
                ASSERT_TRUE(start.waitForFinished(20'000)) << start.errorString().toStdString();
                exits.push_back(start.exitCode());
            }
            // A start slowed down past the running copy's end may run after it.
            EXPECT_EQ(std::count(exits.begin(), exits.end(), 5), 0)
                << "round " << round << ": two copies ran at once";
            EXPECT_GE(std::count(exits.begin(), exits.end(), 3), 1)
                << "round " << round << ": none ran";
        }
    }
}

#ifndef _WIN32
// Sets environment variables for the test's span, this process's and its children's.
class ScopedEnvironment {
  public:
    ~ScopedEnvironment() {
        for (const auto& [name, value] : saved_) {
            put(name, value);
        }
    }
    // A null value unsets the variable.
    void set(const char* name, const QByteArray& value) {
        if (std::none_of(saved_.begin(), saved_.end(),
                         [&](const auto& saved) { return saved.first == name; })) {
            saved_.emplace_back(name,
                                qEnvironmentVariableIsSet(name) ? qgetenv(name) : QByteArray());
        }
        put(name, value);
    }

  private:
    static void put(const char* name, const QByteArray& value) {
        if (value.isNull()) {
            qunsetenv(name);
        } else {
            qputenv(name, value);
        }
    }
    std::vector<std::pair<const char*, QByteArray>> saved_;
};

TEST_F(SecondStart, WithoutARuntimeFolderTheGuardHoldsAndWithoutAnyPlaceTheErrorLogSaysSo) {
    QTemporaryDir home;
    QTemporaryDir workingFolder;
    ASSERT_TRUE(home.isValid() && workingFolder.isValid());
    constexpr auto kPrivate =
        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;
    // The cache folder as umask 002 leaves it; a private "run" in both working folders.
    const QString cache = QDir(home.path()).filePath(".cache");
    ASSERT_TRUE(QDir().mkpath(cache));
    QFile::setPermissions(cache, kPrivate | QFileDevice::ReadGroup | QFileDevice::WriteGroup |
                                     QFileDevice::ExeGroup | QFileDevice::ReadOther |
                                     QFileDevice::ExeOther);
    for (const QString& folder : {workingFolder.path(), logFolder.path()}) {
        const QString run = QDir(folder).filePath("run");
        ASSERT_TRUE(QDir().mkdir(run));
        QFile::setPermissions(run, kPrivate);
    }
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(workingFolder.path()));
    ScopedEnvironment variables;
    variables.set("HOME", QFile::encodeName(home.path()));
    variables.set("XDG_CACHE_HOME", QByteArray());
    for (const QByteArray& runtime : {QByteArray(), QByteArray("run")}) {
        variables.set("XDG_RUNTIME_DIR", runtime);
        ruv::SingleInstance running(programFolder.path());
        ASSERT_EQ(running.claim(QString()), ruv::InstanceRole::Running);
        EXPECT_EQ(laterStart(programFolder.path(), logFolder.path(), {}, EventLoop::Runs), 0)
            << "a later start ran beside the running copy, XDG_RUNTIME_DIR \""
            << runtime.toStdString() << "\"";
    }
    QDir::setCurrent(before);

    // No cache folder can be made, and the program folder is gone.
    variables.set("XDG_RUNTIME_DIR", QByteArray());
    variables.set("HOME", "/proc/self/no-such-home");
    ruv::SingleInstance unguarded(QDir(programFolder.path()).filePath("gone"));
    EXPECT_EQ(unguarded.claim(QString()), ruv::InstanceRole::Running);
    ruv::MainWindow window(environment);
    window.serveLaterStarts(unguarded);
    const std::string_view utf8 = ruv::kUnguardedStartText.utf8();
    const QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    EXPECT_EQ(window.errorLog()->toPlainText().count(text), 1)
        << window.errorLog()->toPlainText().toStdString();
}
#endif

TEST_F(SecondStart, AHandOverDuringATidyIsAttachedWhenTheTidyEnds) {
    const QString tidied =
        writeLog(QStringLiteral("MHChatLog_2024_05_01.html"),
                 "<html><body>\r\n<font size=\"2\" color=\"white\"> [05/01 21:00:00] </font> "
                 "<font size=\"2\" color=\"#f7b73c\">Kai : hello</font></br>\r\n");
    const QString handed =
        writeLog(QStringLiteral("MHChatLog_2024_05_02.html"), "<html><body>\r\n");
    ruv::platform::ManualTimers timers;  // the tidy moves only when told
    environment.timers = &timers;
    ruv::SingleInstance instance(programFolder.path());
    ASSERT_EQ(instance.claim(QString()), ruv::InstanceRole::Running);
    ruv::MainWindow window(environment);
    window.serveLaterStarts(instance);
    window.menu().tidyOnAttach->setChecked(true);
    window.openLog(tidied);
    ASSERT_TRUE(window.tidyingPastLog());

    EXPECT_EQ(laterStart(programFolder.path(), logFolder.path(), handed, EventLoop::Runs), 0);
    ASSERT_TRUE(window.tidyingPastLog());
    for (int turn = 0; turn < 1000 && timers.runNext(); ++turn) {
    }
    EXPECT_FALSE(window.tidyingPastLog());
    EXPECT_EQ(canonical(ruv::fromCp932(window.attachedLogPath())).toStdString(),
              canonical(handed).toStdString());
}

TEST_F(SecondStart, AClosedWindowSavesItsSettingsAndLeavesTheNextStartToItself) {
    ruv::SingleInstance instance(programFolder.path());
    ASSERT_EQ(instance.claim(QString()), ruv::InstanceRole::Running);
    ruv::MainWindow window(environment);
    window.serveLaterStarts(instance);
    window.show();
    window.close();
    EXPECT_TRUE(QFileInfo::exists(QDir(programFolder.path()).filePath("config.ini")))
        << "the settings are saved only when the window is destroyed";
    EXPECT_EQ(laterStart(programFolder.path(), logFolder.path(), {}, EventLoop::Runs), 3)
        << "the closed window took the later start's request";
}

}  // namespace
