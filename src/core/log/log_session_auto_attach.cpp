// Auto-attach: a file name changed in the attached log's folder; after a wait
// that lets the game finish creating its new log, the session moves on from
// yesterday's log to today's.

#include <exception>

#include "core/log/attach_texts.h"
#include "core/log/auto_attach.h"
#include "core/log/log_session.h"
#include "core/platform/native_path.h"

namespace ruv {

void LogSession::fileNamesChanged() {
    if (autoAttachWait_->active()) {
        moreNamesChanged_ = true;
        return;
    }
    autoAttachWait_->start(timing_.autoAttachWait);
}

void LogSession::autoAttachWaitOver() {
    try {
        // Every real change counts: the folder watcher reports none of its own
        // when it starts watching, so the first one may well be the new day's log.
        if (state_.options.autoAttach && !attachedPath_.empty() && !tidying()) {
            checkForNewDaysLog();
        }
    } catch (const std::exception&) {
        reportFailure(kAutoAttachFailureText);
    }
    if (moreNamesChanged_) {
        moreNamesChanged_ = false;
        autoAttachWait_->start(timing_.autoAttachWait);
    }
}

void LogSession::attachTodaysLogAtStart() {
    if (state_.options.attachTodayAtStart && !logFolder().empty() && attachedPath_.empty()) {
        lookForTodaysLog(FollowFrom::AttachPoint);
    }
}

void LogSession::lookForTodaysLog(FollowFrom from) {
    const std::string path =
        joinFolderAndName(logFolder(), dailyLogName(dateOf(ports_.clock.now())));
    if (!logFileExists(path)) {
        awaitingTodaysLog_ = true;
        std::string waiting(kAwaitingTodaysLogText);
        waiting += path;
        ports_.display.showStatus(StatusPanel::Path, waiting);
        todaysLogWait_->start(timing_.autoAttachWait);
        return;
    }
    awaitingTodaysLog_ = false;
    runAttachCommand(kLogChangeFailureText, [&] {
        attachPath(path, AttachKind::Today, kLogChangeFailureText, from);
        offerDailyLogs(logFolder());
        publishMenu();
    });
}

std::optional<std::string> LogSession::newDaysLogPresent() const {
    const AutoAttachPlan plan = planAutoAttach(attachedPath_, dateOf(ports_.clock.now()));
    if (plan.step != AutoAttachStep::SwitchTo || !logFileExists(plan.todaysLog)) {
        return std::nullopt;
    }
    return plan.todaysLog;
}

void LogSession::checkForNewDaysLog() {
    const std::optional<std::string> todaysLog = newDaysLogPresent();
    if (!todaysLog) {
        return;
    }
    attachedPath_ = *todaysLog;
    ports_.display.showStatus(StatusPanel::Path, *todaysLog);
    state_.exp.SetAttachedLogPath(*todaysLog);
    // The new day's EXP session, before any of its lines arrives.
    if (state_.options.resetExpAtSwitch) {
        state_.exp.ResetForAttach();
    } else {
        state_.exp.StartNewDayChart();
    }
    // Read from its first byte at the next size change.
    ports_.log.switchFile(*platform::toNativePath(*todaysLog), ByteOffset{0});
    offerDailyLogs(platform::folderOf(*todaysLog));
    publishMenu();
}

}  // namespace ruv
