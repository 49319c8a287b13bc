#include "shell/rules/rule_trial_runner.h"

namespace ruv {

RuleTrialRunner::~RuleTrialRunner() = default;

void RuleTrialRunner::start(RuleTrialRun run) {
    report_ = {};
    running_ = true;
    trial_.start(std::move(run), *this);
}

void RuleTrialRunner::cancel() {
    trial_.cancel();
}

void RuleTrialRunner::release() {
    if (!running_) {
        delete this;
        return;
    }
    released_ = true;
    setParent(nullptr);
    trial_.cancel();
}

void RuleTrialRunner::progressed(RuleTrialProgress progress) {
    QMetaObject::invokeMethod(
        this, [this, progress] { emit dayRead(progress.daysDone, progress.daysToRead); },
        Qt::QueuedConnection);
}

void RuleTrialRunner::finished(const RuleTrialReport& report) {
    QMetaObject::invokeMethod(
        this,
        [this, copy = report] {
            report_ = copy;
            running_ = false;
            if (released_) {
                // The worker returns right after this call: the join is short.
                deleteLater();
                return;
            }
            emit trialFinished();
        },
        Qt::QueuedConnection);
}

}  // namespace ruv
