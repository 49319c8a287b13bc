#include "core/rules/live_timers.h"

#include <system_error>

#include "core/platform/text_file.h"
#include "core/rules/timers_file.h"
#include "core/text/cp932.h"

namespace ruv {

namespace {

void appendError(platform::ErrorLog& errors, const std::string& utf8) {
    errors.append(cp932::fromUtf8(utf8).value_or(utf8));
}

}  // namespace

LiveRuleTimers::LiveRuleTimers(LiveTimerPorts ports)
    : clock_(ports.clock), alarms_(ports.alarms), errors_(ports.errors) {
    due_ = ports.timers.create([this] {
        events_.clear();
        board_.advance(now().value, events_);
        carryOut(events_);
    });
}

LiveRuleTimers::~LiveRuleTimers() = default;

void LiveRuleTimers::startTimer(const TimerStart& start, std::string_view stamp) {
    const platform::LocalDateTime at = clock_.now();
    TimerStart timed = start;
    timed.startsAt = stampMoment(stamp, at).value;
    events_.clear();
    board_.start(timed, wallSecondsOf(at).value, events_);
    carryOut(events_);
}

void LiveRuleTimers::stopTimers(std::string_view rule, std::string_view) {
    events_.clear();
    board_.stopRule(rule, now().value, events_);
    carryOut(events_);
}

void LiveRuleTimers::refuseTimer(std::string_view rule, std::string_view reason) {
    appendError(errors_, "通知ルール「" + std::string(rule) + "」のタイマーは始まりません。 " +
                             std::string(reason));
}

bool LiveRuleTimers::stop(std::uint64_t id) {
    events_.clear();
    const bool stopped = board_.stop(id, now().value, events_);
    carryOut(events_);
    return stopped;
}

void LiveRuleTimers::carryOut(std::vector<TimerEvent>& events) {
    bool changed = false;
    for (const TimerEvent& event : events) {
        switch (event.step) {
            case TimerStep::Warned:
                alarms_.ringTimer(event.timer.warning);
                break;
            case TimerStep::Ended:
                alarms_.ringTimer(event.timer.end);
                changed = true;
                break;
            case TimerStep::Started:
            case TimerStep::Restarted:
            case TimerStep::Stopped:
                changed = true;
                break;
            case TimerStep::Ignored:
            case TimerStep::TooOld:
                break;
        }
    }
    schedule();
    if (changed && notices_ != nullptr) {
        notices_->timersChanged();
    }
}

void LiveRuleTimers::schedule() {
    const std::optional<std::int64_t> due = board_.nextDue();
    if (!due) {
        due_->stop();
        return;
    }
    const std::int64_t wait = std::max<std::int64_t>(*due - now().value, 0);
    due_->start(std::chrono::seconds(wait));
}

void LiveRuleTimers::load(const std::filesystem::path& folder) {
    const std::filesystem::path file = folder / kTimersFileName;
    const platform::FileContent content = platform::readWholeFile(file);
    if (content.status == platform::ReadStatus::Missing) {
        return;
    }
    const std::u8string name = file.u8string();
    const std::string fileName(name.begin(), name.end());
    if (content.status != platform::ReadStatus::Ok) {
        appendError(errors_, fileName + ": " + content.error.message());
        return;
    }
    std::string reason;
    const std::optional<std::vector<RunningTimer>> kept = parseTimers(content.bytes, reason);
    if (!kept) {
        // Left as it is unless timers are kept over it.
        appendError(errors_, fileName + ": " + reason);
        return;
    }
    fileText_ = content.bytes;
    for (const RunningTimer& timer : *kept) {
        board_.restore(timer);
    }
    // What fell due while the program was closed is past: not rung.
    events_.clear();
    board_.advance(now().value, events_);
    schedule();
    if (notices_ != nullptr && !board_.running().empty()) {
        notices_->timersChanged();
    }
}

void LiveRuleTimers::save(const std::filesystem::path& folder) const {
    const std::filesystem::path file = folder / kTimersFileName;
    const std::string text = board_.running().empty() ? std::string() : timersJson(running());
    if (text == fileText_) {
        return;
    }
    if (text.empty()) {
        std::error_code error;
        std::filesystem::remove(file, error);
        if (error) {
            throw std::system_error(error, "cannot remove the timers file");
        }
        return;
    }
    if (const std::error_code error = platform::writeWholeFileAtomically(file, text)) {
        throw std::system_error(error, "cannot write the timers file");
    }
}

}  // namespace ruv
