// mh_ruvivuvaz-cli rules: runs a rules file over a log from its start, routed
// as follow --from-start routes it, and prints every hit and every start and
// end of the timers the rules start, on the lines' own time.

#include <cstdio>
#include <ostream>

#include "cli/commands.h"
#include "cli/file_report.h"
#include "core/app/settings_folder.h"
#include "core/lines/daily_log_name.h"
#include "core/lines/log_reader.h"
#include "core/log/route_line.h"
#include "core/log/route_trace.h"
#include "core/log/silent_route_ports.h"
#include "core/platform/shared_file.h"
#include "core/rules/line_time_timers.h"
#include "core/rules/rules_file.h"
#include "core/rules/timer_duration.h"
#include "core/text/cp932.h"
#include "core/views/unread_counters.h"

namespace ruv::cli {

namespace {

// Routes each line and prints the hits its rules gave. Hits are gathered and
// written in blocks: a busy rule set hits a good share of a day's lines.
class HitPrinter final : public LineSink {
  public:
    HitPrinter(LineRouter& router, const RuleEngine& engine, LineTimeTimers& timers,
               TextEncoding encoding, std::ostream& out)
        : router_(router), engine_(engine), timers_(timers), encoding_(encoding), out_(out) {}
    ~HitPrinter() override { flush(); }
    HitPrinter(const HitPrinter&) = delete;
    HitPrinter& operator=(const HitPrinter&) = delete;

    void routeLine(std::string_view raw) override {
        timers_.lineRead(displayParts(raw).stamp);
        printTimers();
        try {
            router_.RouteLine(raw);
        } catch (...) {
            print(raw);
            printTimers();
            throw;
        }
        print(raw);
        printTimers();
    }

    // The log has ended: the timers still running end when they would.
    void finish() {
        timers_.finish();
        printTimers();
    }

    std::int64_t hits() const { return hits_; }

    void flush() {
        out_.write(pending_.data(), static_cast<std::streamsize>(pending_.size()));
        pending_.clear();
    }

  private:
    static constexpr std::size_t kBlockBytes = 64 << 10;

    // The text as printed, in converted_ when it must be converted.
    std::string_view shown(std::string_view cp932Text, std::string& converted) const {
        if (encoding_ != TextEncoding::Utf8) {
            return cp932Text;
        }
        cp932::toUtf8(cp932Text, converted);
        return converted;
    }
    void appendShownUtf8(std::string_view utf8) {
        if (encoding_ == TextEncoding::Utf8) {
            pending_ += utf8;
        } else {
            pending_ += cp932::fromUtf8(utf8).value_or(std::string(utf8));
        }
    }

    void print(std::string_view raw) {
        const RuleOutcome& outcome = engine_.outcome();
        if (outcome.hits.empty()) {
            return;
        }
        const std::string display = displayText(raw);
        std::string_view stamp =
            std::string_view(display).substr(0, std::min(display.size(), kTimeStampBytes));
        while (!stamp.empty() && (stamp.back() == ' ' || stamp.back() == '\t')) {
            stamp.remove_suffix(1);
        }
        const std::optional<ChannelMatch> own = ownMarker(raw);
        const std::string_view channel =
            own && isRuleChannel(own->channel) ? ruleChannelName(own->channel) : "";
        const std::string_view shownStamp = shown(stamp, stamp_);
        // The rules matched this very text in UTF-8.
        const std::string_view text =
            encoding_ == TextEncoding::Utf8 ? engine_.hitTextUtf8() : bodyOfDisplay(display);
        for (const RuleHit& hit : outcome.hits) {
            pending_ += shownStamp;
            pending_ += '\t';
            appendShownUtf8(channel);
            pending_ += '\t';
            appendShownUtf8(engine_.rules().rules[hit.rule].name);
            pending_ += '\t';
            pending_ += hit.fired == Fired::Yes ? '1' : '0';
            pending_ += '\t';
            pending_ += text;
            pending_ += '\n';
            ++hits_;
        }
        if (pending_.size() >= kBlockBytes) {
            flush();
        }
    }

    // STAMP<TAB><TAB>RULE<TAB>start, end or stop<TAB>NAME (h:mm:ss)
    void printTimers() {
        for (const TimerEvent& event : timers_.events()) {
            std::string_view step;
            std::int64_t at = event.at;
            if (event.step == TimerStep::Started || event.step == TimerStep::Restarted) {
                step = "start";
                at = event.timer.startsAt;
            } else if (event.step == TimerStep::Ended) {
                step = "end";
            } else if (event.step == TimerStep::Stopped) {
                step = "stop";
            } else {
                continue;
            }
            const platform::LocalDateTime t = localTimeOf(WallSeconds{at});
            char stamp[32];
            std::snprintf(stamp, sizeof stamp, "[%02d/%02d %02d:%02d:%02d]", t.month, t.day, t.hour,
                          t.minute, t.second);
            pending_ += stamp;
            pending_ += "\t\t";
            appendShownUtf8(event.timer.rule);
            pending_ += '\t';
            pending_ += step;
            pending_ += '\t';
            appendShownUtf8(event.timer.name + " (" + durationText(event.timer.seconds()) + ")");
            pending_ += '\n';
        }
        timers_.events().clear();
    }

    LineRouter& router_;
    const RuleEngine& engine_;
    LineTimeTimers& timers_;
    TextEncoding encoding_;
    std::ostream& out_;
    std::string pending_;
    std::string stamp_;  // converted, reused from line to line
    std::int64_t hits_ = 0;
};

std::string utf8Path(const std::filesystem::path& path) {
    const std::u8string name = path.u8string();
    return std::string(name.begin(), name.end());
}

}  // namespace

int runRulesCommand(const RulesCommand& command, std::ostream& out, std::ostream& err) {
    const RulesReading reading = readRulesFile(command.rules);
    if (reading.state == RulesFileState::Absent) {
        reportFile(err, command.rules,
                   std::make_error_code(std::errc::no_such_file_or_directory).message());
        return kSearchError;
    }
    if (reading.error) {
        err << kMessagePrefix << reading.error->message() << '\n';
        return kSearchError;
    }
    RuleEngine engine;
    const std::vector<RuleProblem> problems = engine.setRules(reading.rules);
    // The log's own date places stamps without one; else today's.
    const platform::SystemClock clock;
    platform::LocalDateTime logNoon = clock.now();
    if (const std::optional<CivilDate> day = dailyLogDate(utf8Path(command.log.filename()))) {
        logNoon = platform::LocalDateTime{day->year, day->month, day->day, 0, 0, 0};
    }
    logNoon.hour = 12;
    logNoon.minute = 0;
    logNoon.second = 0;
    LineTimeTimers timers(wallSecondsOf(logNoon));
    engine.sendTimersTo(&timers);
    for (const RuleProblem& problem : problems) {
        err << kMessagePrefix << utf8Path(command.rules) << ": rule \"" << problem.name
            << "\": " << problem.reason << '\n';
    }
    if (!problems.empty()) {
        return kSearchError;
    }

    SilentRoutePorts ports(ChatChannel::Normal);
    RouteSettings settings;
    NgLists lists;
    if (command.settingsFolder) {
        try {
            loadSettingsFolder(*command.settingsFolder, settings, lists);
        } catch (const std::exception& failure) {
            reportFile(err, *command.settingsFolder, failure.what());
            return kSearchError;
        }
    }
    ChannelBook book;
    for (const ChannelRow& row : kChannelTable) {
        book.lines(row.channel).setCapacity(LineCount{1});
    }
    UnreadCounters counters(ports);
    LineRouter router(RoutePorts{ports, ports, ports, ports, ports, ports},
                      RouteState{settings, lists, book, counters},
                      RuleRouting{engine, ports, ports});
    HitPrinter printer(router, engine, timers, command.encoding, out);

    const platform::NativeFileOpener files;
    std::error_code why;
    if (!files.openShared(command.log, why)) {
        reportFile(err, command.log, why.message());
        return kSearchError;
    }
    LogTail tail;
    tail.attach(command.log, ByteOffset{});
    LogReader reader(tail, printer, files, ports, clock);
    for (;;) {
        const SliceResult slice = reader.readSlice();
        if (slice.status == SliceStatus::MoreWaiting) {
            continue;
        }
        if (slice.status == SliceStatus::CaughtUp) {
            break;
        }
        reportFile(err, command.log,
                   slice.status == SliceStatus::SizeUnavailable ? slice.sizeError.message()
                                                                : "cannot be read");
        return kSearchError;
    }
    printer.finish();
    for (const auto& [rule, reason] : timers.refusals()) {
        err << kMessagePrefix << utf8Path(command.log) << ": rule \"" << rule
            << "\": no timer: " << reason << '\n';
    }
    printer.flush();
    out.flush();
    return printer.hits() > 0 ? kSearchMatched : kSearchNoMatch;
}

}  // namespace ruv::cli
