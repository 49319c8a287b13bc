// A trial runner released by a dialog that closes mid-trial: release returns
// while the worker is still held in a read, and the runner deletes itself
// once the worker's last call has reached the UI thread.

#include "shell/rules/rule_trial_runner.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

#ifndef _WIN32
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "support/pipe_writer.h"
#include "support/temp_folder.h"
#endif

namespace ruv::testing {
namespace {

#ifndef _WIN32
// The worker is held in a read of a named pipe: it returns only when the
// test lets go of the pipe's other end. A guard lets go after a few
// seconds, so that a release that waits for the worker fails instead of hanging.
TEST(RuleTrialRunner, AReleasedRunnerReturnsAtOnceAndDeletesItselfWhenTheWorkerHasFinished) {
    TempFolder folder;
    const auto pipe = folder.path() / "MHChatLog_2024_05_01.html";
    PipeWriter writer(pipe);
    RuleSet rules;
    rules.rules.resize(1);
    rules.rules[0].name = "party";
    rules.rules[0].pattern = "PT";

    auto* runner = new RuleTrialRunner;
    bool destroyed = false;
    QObject::connect(runner, &QObject::destroyed, [&] { destroyed = true; });
    QSignalSpy finished(runner, &RuleTrialRunner::trialFinished);
    runner->start(RuleTrialRun{rules, {DailyLog{CivilDate{2024, 5, 1}, pipe}}});
    ASSERT_TRUE(writer.waitForReader()) << "the trial never opened the log";
    // Once it has taken a first byte, the worker waits in its read for the rest of a block.
    ASSERT_TRUE(writer.put("<") && writer.waitUntilTaken()) << "the trial never read the log";

    std::mutex mutex;
    std::condition_variable letGo;
    bool released = false;
    std::atomic<bool> guardLetGo{false};
    std::thread guard([&] {
        std::unique_lock lock(mutex);
        if (!letGo.wait_for(lock, std::chrono::seconds(5), [&] { return released; })) {
            guardLetGo = true;
        }
        writer.letGo();
    });
    runner->release();
    EXPECT_FALSE(guardLetGo) << "release waited for the worker";
    EXPECT_FALSE(destroyed);
    {
        std::lock_guard lock(mutex);
        released = true;
    }
    letGo.notify_one();
    guard.join();

    EXPECT_TRUE(QTest::qWaitFor([&] { return destroyed; }, 10'000));
    EXPECT_EQ(finished.count(), 0);
}
#endif

}  // namespace
}  // namespace ruv::testing
