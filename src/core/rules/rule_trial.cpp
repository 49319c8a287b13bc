#include "core/rules/rule_trial.h"

#include <algorithm>
#include <unordered_map>

#include "core/lines/chat_format.h"
#include "core/lines/line_cut.h"
#include "core/platform/shared_file.h"
#include "core/rules/line_time_timers.h"
#include "core/rules/rule_engine.h"
#include "core/rules/rule_matcher.h"

namespace ruv {

namespace {

using Clock = std::chrono::steady_clock;

// One day's lines through every rule, each timed on its own.
class DayTrial {
  public:
    DayTrial(const RuleSet& rules, const RuleMatcher& matcher, RuleTrialReport& report,
             std::size_t sampleLines)
        : rules_(rules), matcher_(matcher), report_(report), sampleLines_(sampleLines) {
        RuleSet timed;
        for (std::size_t i = 0; i < rules.rules.size(); ++i) {
            if (rules.rules[i].timer) {
                timedRules_.emplace(rules.rules[i].name, i);
                timed.rules.push_back(rules.rules[i]);
            }
        }
        timerEngine_.setRules(timed);
    }

    void run(CivilDate day, std::string_view lines) {
        if (!timedRules_.empty() && (!timers_ || day != day_)) {
            timers_.emplace(
                wallSecondsOf(platform::LocalDateTime{day.year, day.month, day.day, 12, 0, 0}));
            timerEngine_.restart();
            timerEngine_.sendTimersTo(&*timers_);
        }
        day_ = day;
        for (std::size_t at = 0; at < lines.size();) {
            const LineCut cut = cutLine(lines, at);
            line(cut.text);
            at = cut.next;
        }
    }

  private:
    void line(std::string_view cut) {
        const ChatLine chat = ChatLine::fromLogLine(cut);
        if (!chat.channel) {
            return;
        }
        ++report_.lines;
        utf8_.assign(chat.body, chat.channel);
        const RuleLineText text = utf8_.view();
        for (std::size_t i = 0; i < rules_.rules.size(); ++i) {
            RuleTrialResult& result = report_.rules[i];
            const Clock::time_point start = Clock::now();
            const bool hit = matcher_.matchesOne(i, text);
            result.matchTime += Clock::now() - start;
            if (!hit) {
                continue;
            }
            ++result.hits;
            if (result.firstLines.size() < sampleLines_) {
                result.firstLines.push_back(RuleTrialSample{day_, chat.display});
            }
        }
        if (timers_) {
            countTimers(chat);
        }
    }

    void countTimers(const ChatLine& chat) {
        timers_->lineRead(std::string_view(chat.display)
                              .substr(0, std::min(chat.display.size(), kTimeStampBytes)));
        timerEngine_.apply(chat.display, chat.channel, LineUse::Live);
        for (const TimerEvent& event : timers_->events()) {
            if (event.step == TimerStep::Started || event.step == TimerStep::Restarted) {
                ++report_.rules[timedRules_.at(event.timer.rule)].timers;
            }
        }
        timers_->events().clear();
    }

    const RuleSet& rules_;
    const RuleMatcher& matcher_;
    RuleTrialReport& report_;
    std::size_t sampleLines_;
    CivilDate day_{};
    RuleLineUtf8 utf8_;
    // The rules with a timer, run as routing runs them, to count their timers.
    std::unordered_map<std::string, std::size_t> timedRules_;
    RuleEngine timerEngine_;
    std::optional<LineTimeTimers> timers_;
};

}  // namespace

DailyLogs recentDailyLogs(const std::filesystem::path& folder, CivilDate today, int days) {
    SearchQuery query;
    query.to = today;
    CivilDate first = today;
    for (int i = 1; i < days; ++i) {
        first = dayBefore(first);
    }
    query.from = first;
    return listDailyLogs(folder, query);
}

std::chrono::nanoseconds RuleTrialReport::costPerThousandLines(std::size_t rule) const {
    if (lines == 0 || rule >= rules.size()) {
        return std::chrono::nanoseconds{0};
    }
    return rules[rule].matchTime * 1000 / lines;
}

RuleTrialReport runRuleTrial(const RuleTrialRun& run, RuleTrialListener& listener,
                             const std::atomic<bool>& cancel) {
    RuleTrialReport report;
    report.rules.resize(run.rules.rules.size());
    // Every rule is tried, the disabled ones too: the trial shows what each would do.
    RuleSet tried = run.rules;
    for (NotificationRule& rule : tried.rules) {
        rule.enabled = true;
    }
    std::vector<RuleProblem> problems;
    const RuleMatcher matcher = RuleMatcher::compile(tried, &problems);
    for (const RuleProblem& problem : problems) {
        report.rules[problem.rule].problem = problem.reason;
    }
    const platform::NativeFileOpener files;
    DayFileReader reader(files, run.blockBytes);
    DayTrial trial(tried, matcher, report, run.sampleLines);
    RuleTrialProgress progress{0, static_cast<std::int64_t>(run.logs.size())};
    for (const DailyLog& log : run.logs) {
        if (cancel) {
            break;
        }
        const std::int64_t linesBefore = report.lines;
        const DayFileOutcome outcome = reader.read(
            log.path, [&](std::string_view lines, ByteOffset) { trial.run(log.day, lines); },
            [&] { return cancel.load(); });
        if (outcome.end == DayFileEnd::Read) {
            ++report.daysRead;
        } else if (outcome.end == DayFileEnd::CannotRead ||
                   outcome.end == DayFileEnd::NotAChatLog) {
            report.skipped.push_back(SkippedDay{log.day, log.path,
                                                outcome.end == DayFileEnd::CannotRead
                                                    ? SkipReason::CannotRead
                                                    : SkipReason::NotAChatLog,
                                                outcome.error});
        }
        if (outcome.end == DayFileEnd::Cancelled) {
            report.stoppedPartWay = report.lines > linesBefore;
            break;
        }
        ++progress.daysDone;
        listener.progressed(progress);
    }
    report.end = cancel ? RuleTrialEnd::Cancelled : RuleTrialEnd::Completed;
    listener.finished(report);
    return report;
}

RuleTrial::~RuleTrial() {
    cancel();
    wait();
}

void RuleTrial::start(RuleTrialRun run, RuleTrialListener& listener) {
    cancel();
    wait();
    cancel_ = false;
    worker_ = std::thread(
        [this, run = std::move(run), &listener] { runRuleTrial(run, listener, cancel_); });
}

void RuleTrial::wait() {
    if (worker_.joinable()) {
        worker_.join();
    }
}

}  // namespace ruv
