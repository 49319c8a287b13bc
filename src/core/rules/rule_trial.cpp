#include "core/rules/rule_trial.h"

#include "core/lines/chat_format.h"
#include "core/lines/line_cut.h"
#include "core/platform/shared_file.h"
#include "core/rules/rule_matcher.h"

namespace ruv {

namespace {

using Clock = std::chrono::steady_clock;

// One day's lines through every rule, each timed on its own.
class DayTrial {
  public:
    DayTrial(const RuleSet& rules, const RuleMatcher& matcher, RuleTrialReport& report,
             std::size_t sampleLines)
        : rules_(rules), matcher_(matcher), report_(report), sampleLines_(sampleLines) {}

    void run(CivilDate day, std::string_view lines) {
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
    }

    const RuleSet& rules_;
    const RuleMatcher& matcher_;
    RuleTrialReport& report_;
    std::size_t sampleLines_;
    CivilDate day_{};
    RuleLineUtf8 utf8_;
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
