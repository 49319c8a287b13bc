// A log written with CR LF line ends reads, line for line, as the same log
// written with LF: followed, tidied, searched, shown around a result and
// tried against the rules.

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <vector>

#include "core/lines/log_reader.h"
#include "core/log/past_log_sort.h"
#include "core/rules/rule_trial.h"
#include "core/search/day_lines.h"
#include "core/search/log_search.h"
#include "core/search/search_result_line.h"
#include "loggen/log_generator.h"
#include "support/cp932_text.h"
#include "support/temp_folder.h"

namespace {

using ruv::testing::sj;

struct Lines : ruv::LineSink, ruv::PastLogSink, ruv::SearchListener {
    std::vector<std::string> seen;
    void routeLine(std::string_view raw) override { seen.emplace_back(raw); }
    void append(ruv::ChatChannel view, std::string_view text, ruv::Colour) override {
        seen.push_back(std::string(ruv::settingsKey(view)) + "\t" + std::string(text));
    }
    void addDayGain(std::int64_t amount, std::string_view) override {
        seen.push_back("gain " + std::to_string(amount));
    }
    void unreadableGain(std::string_view) override {}
    void started(ruv::SearchProgress) override {}
    void dayHits(ruv::CivilDate day, std::span<const ruv::SearchHit> hits) override {
        for (const ruv::SearchHit& hit : hits) {
            seen.push_back(ruv::searchResultLine(day, hit));
        }
    }
    void dayDone(ruv::CivilDate, std::int64_t) override {}
    void daySkipped(const ruv::SkippedDay&) override { seen.emplace_back("skipped"); }
    void progressed(ruv::SearchProgress) override {}
    void finished(const ruv::SearchSummary&) override {}
};

struct TrialDone : ruv::RuleTrialListener {
    void progressed(ruv::RuleTrialProgress) override {}
    void finished(const ruv::RuleTrialReport&) override {}
};

struct NoErrors : ruv::platform::ErrorLog {
    void append(std::string_view line) override { ADD_FAILURE() << line; }
};

// What each reader of logs makes of one log's bytes.
struct Readings {
    std::vector<std::string> followed, tidied, searched, dayView, tried;
};

Readings readingsOf(const std::string& bytes) {
    ruv::testing::TempFolder folder;
    const auto log = folder / "MHChatLog_2024_05_01.html";
    ruv::testing::writeBytes(log, bytes);
    Readings out;

    Lines followed;
    ruv::LogTail tail;
    tail.attach(log, {});
    NoErrors errors;
    const ruv::platform::ManualClock clock{{2024, 5, 1, 9, 0, 0}};
    const ruv::platform::NativeFileOpener files;
    ruv::LogReader(tail, followed, files, errors, clock).readAll();
    out.followed = followed.seen;

    Lines tidied;
    ruv::PastLogSort(bytes).runToEnd(tidied);
    out.tidied = tidied.seen;

    ruv::SearchQuery query;
    query.text = sj("は");
    Lines searched;
    std::atomic<bool> cancel{false};
    ruv::runLogSearch({folder.path(), query, 4096}, searched, cancel);
    out.searched = searched.seen;

    ruv::ViewLines shown;
    ruv::fillDayLines(bytes, query, {}, shown);
    for (std::size_t i = 0; i < shown.store().size(); ++i) {
        out.dayView.emplace_back(shown.store().line(i));
    }

    ruv::RuleTrialRun trial;
    ruv::NotificationRule rule;
    rule.name = "は";
    rule.pattern = "は";
    trial.rules.rules.push_back(rule);
    trial.logs = {{ruv::CivilDate{2024, 5, 1}, log}};
    trial.sampleLines = 1'000'000;
    TrialDone done;
    const ruv::RuleTrialReport report = ruv::runRuleTrial(trial, done, cancel);
    for (const ruv::RuleTrialSample& sample : report.rules.at(0).firstLines) {
        out.tried.push_back(sample.display);
    }
    return out;
}

std::string withCrLf(const std::string& lf) {
    std::string out;
    for (const char c : lf) {
        out += c == '\n' ? std::string("\r\n") : std::string(1, c);
    }
    return out;
}

void expectSameReadings(const std::string& lf) {
    const Readings expected = readingsOf(lf);
    const Readings crLf = readingsOf(withCrLf(lf));
    const std::vector<std::pair<const char*, std::vector<std::string> Readings::*>> readers{
        {"followed", &Readings::followed},
        {"tidied", &Readings::tidied},
        {"searched", &Readings::searched},
        {"day view", &Readings::dayView},
        {"rule trial", &Readings::tried}};
    for (const auto& [name, reading] : readers) {
        EXPECT_FALSE((expected.*reading).empty()) << name;
        EXPECT_EQ(crLf.*reading, expected.*reading) << name;
    }
}

TEST(LineEnds, ACrLfLogFollowsTidiesSearchesAndShowsAsTheSameLfLog) {
    expectSameReadings(ruv::loggen::LogGenerator(3).generate(30'000));
}

// A game that cuts a long message at a byte limit can leave half a character
// before the closing tags or before the line end.
TEST(LineEnds, ALineEndingInHalfACharacterReadsTheSameWithEitherLineEnd) {
    const std::string lead = "\x82";
    const struct {
        const char* name;
        std::string bodyEnd;  // the end of the body, before the closing tags
        bool stopsMidLine;    // the line ends right after the body
    } cases[] = {
        {"lone lead byte before the closing tags", lead, false},
        {"lead byte and CR before the closing tags", lead + "\r", false},
        {"CR alone before the closing tags", "\r", false},
        {"lone lead byte before the line end", lead, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ruv::loggen::LogGenerator generator(11);
        std::string lf = generator.generate(2'000);
        std::string cut =
            generator
                .makeLine(ruv::colours::kOpenWhite, ruv::loggen::TagBlockForm::BlankBefore,
                          sj("切れた発言は") + c.bodyEnd)
                .bytes;
        if (c.stopsMidLine) {
            cut.resize(cut.size() - ruv::kLineCloseBytes);
        }
        lf += cut + "\n";
        for (int i = 0; i < 3; ++i) {
            lf += generator
                      .makeLine(ruv::colours::kTeam, ruv::loggen::TagBlockForm::BlankBefore,
                                sj("次の発言は届く"))
                      .bytes +
                  "\n";
        }
        expectSameReadings(lf);
    }
}

}  // namespace
