// A log written with CR LF line ends reads, line for line, as the same log
// written with LF: followed, tidied, searched and shown around a result.

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <vector>

#include "core/lines/log_reader.h"
#include "core/log/past_log_sort.h"
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

struct NoErrors : ruv::platform::ErrorLog {
    void append(std::string_view line) override { ADD_FAILURE() << line; }
};

// What each reader of logs makes of one log's bytes.
struct Readings {
    std::vector<std::string> followed, tidied, searched, dayView;
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
    return out;
}

std::string withCrLf(const std::string& lf) {
    std::string out;
    for (const char c : lf) {
        out += c == '\n' ? std::string("\r\n") : std::string(1, c);
    }
    return out;
}

TEST(LineEnds, ACrLfLogFollowsTidiesSearchesAndShowsAsTheSameLfLog) {
    const std::string lf = ruv::loggen::LogGenerator(3).generate(30'000);
    const Readings expected = readingsOf(lf);
    const Readings crLf = readingsOf(withCrLf(lf));
    const std::vector<std::pair<const char*, std::vector<std::string> Readings::*>> readers{
        {"followed", &Readings::followed},
        {"tidied", &Readings::tidied},
        {"searched", &Readings::searched},
        {"day view", &Readings::dayView}};
    for (const auto& [name, reading] : readers) {
        EXPECT_FALSE((expected.*reading).empty()) << name;
        EXPECT_EQ(crLf.*reading, expected.*reading) << name;
    }
}

}  // namespace
