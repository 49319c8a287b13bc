// A trial runner released by a dialog that closes mid-trial: release returns
// without waiting for the worker, and the runner deletes itself once the
// worker's last call has reached the UI thread.

#include "shell/rules/rule_trial_runner.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

#include "loggen/log_generator.h"
#include "support/temp_folder.h"

namespace ruv::testing {
namespace {

TEST(RuleTrialRunner, AReleasedRunnerDeletesItselfWhenTheWorkerHasFinished) {
    TempFolder folder;
    const auto log = folder.path() / "MHChatLog_2024_05_01.html";
    writeBytes(log, loggen::LogGenerator(3).generate(4'000'000));
    RuleSet rules;
    rules.rules.resize(1);
    rules.rules[0].name = "party";
    rules.rules[0].pattern = "PT";

    auto* runner = new RuleTrialRunner;
    bool destroyed = false;
    QObject::connect(runner, &QObject::destroyed, [&] { destroyed = true; });
    QSignalSpy finished(runner, &RuleTrialRunner::trialFinished);
    runner->start(RuleTrialRun{rules, {DailyLog{CivilDate{2024, 5, 1}, log}}});
    runner->release();

    EXPECT_FALSE(destroyed);
    EXPECT_TRUE(QTest::qWaitFor([&] { return destroyed; }, 10'000));
    EXPECT_EQ(finished.count(), 0);
}

}  // namespace
}  // namespace ruv::testing
