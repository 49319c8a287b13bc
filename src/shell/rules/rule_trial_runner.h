#pragma once
// 過去ログで試す on a worker: the core trial calls back on its thread, and
// each call is handed to the UI thread with a queued call, so the UI thread
// never waits. An owner that goes away while a trial runs releases the runner
// instead of deleting it: the trial is cancelled and the runner deletes itself
// once the worker says it has finished, so closing never waits on a worker
// blocked in a slow read.

#include <QObject>

#include <cstdint>

#include "core/rules/rule_trial.h"

namespace ruv {

class RuleTrialRunner final : public QObject, private RuleTrialListener {
    Q_OBJECT
  public:
    RuleTrialRunner() = default;
    ~RuleTrialRunner() override;

    // Only while none runs: the worker before has returned by then.
    void start(RuleTrialRun run);
    void cancel();
    bool running() const { return running_; }
    const RuleTrialReport& report() const { return report_; }

    // For an owner going away: deletes the runner now when no trial runs,
    // else cancels it and deletes the runner when the worker has finished.
    void release();

  signals:
    void dayRead(qint64 daysDone, qint64 daysToRead);
    void trialFinished();

  private:
    // Called on the worker thread.
    void progressed(RuleTrialProgress progress) override;
    void finished(const RuleTrialReport& report) override;

    RuleTrial trial_;
    RuleTrialReport report_;
    bool running_ = false;
    bool released_ = false;
};

}  // namespace ruv
