// The search over the daily logs of a folder, on real files in a temporary
// folder.

#include "core/search/log_search.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/lines/line_cut.h"
#include "core/search/day_lines.h"
#include "core/search/line_match.h"
#include "core/search/no_result_reason.h"
#include "core/search/search_channel_name.h"
#include "core/search/search_result_line.h"
#include "core/text/cp932.h"
#include "support/log_lines.h"
#include "support/temp_folder.h"

namespace {

using ruv::ChatChannel;
using ruv::CivilDate;
using namespace ruv::testing;

constexpr std::string_view kTeam = "f7b73c";
constexpr std::string_view kClub = "94ddfa";
constexpr std::string_view kOpen = "c8ffc8";

std::string header() {
    return std::string(ruv::markers::kHeaderBody) + "\n" + std::string(ruv::markers::kHeaderTitle) +
           "\n";
}

std::string logOf(const std::vector<std::string>& lines) {
    std::string out = header();
    for (const std::string& line : lines) {
        out += line + "\n";
    }
    return out;
}

std::string logName(int day) {
    return ruv::dailyLogName(2024, 5, day);
}

// Records every call, in order, as text.
class Recorder : public ruv::SearchListener {
  public:
    void started(ruv::SearchProgress progress) override {
        events.push_back("started " + std::to_string(progress.daysToRead));
    }
    void dayHits(CivilDate day, std::span<const ruv::SearchHit> hits) override {
        for (const ruv::SearchHit& hit : hits) {
            results.push_back(ruv::searchResultLine(day, hit));
            lineStarts.push_back(hit.lineStart);
        }
        ++hitCalls;
    }
    void dayDone(CivilDate day, std::int64_t matches) override {
        events.push_back("day " + ruv::logDayText(day) + " " + std::to_string(matches));
    }
    void daySkipped(const ruv::SkippedDay& skipped) override {
        events.push_back(
            "skipped " + ruv::logDayText(skipped.day) + " " + skipped.path.filename().string() +
            " " +
            (skipped.reason == ruv::SkipReason::NotAChatLog ? "not-a-chat-log" : "cannot-read"));
    }
    void progressed(ruv::SearchProgress progress) override {
        events.push_back("progress " + std::to_string(progress.daysDone) + "/" +
                         std::to_string(progress.daysToRead));
    }
    void finished(const ruv::SearchSummary& done) override { summary = done; }

    std::vector<std::string> events;
    std::vector<std::string> results;
    std::vector<ruv::ByteOffset> lineStarts;
    int hitCalls = 0;
    ruv::SearchSummary summary;
};

class LogSearchTest : public ::testing::Test {
  protected:
    void write(int day, const std::vector<std::string>& lines) {
        writeBytes(folder / logName(day), logOf(lines));
    }
    ruv::SearchQuery query(std::string_view utf8Text) const {
        ruv::SearchQuery q;
        q.text = sj(utf8Text);
        return q;
    }
    Recorder run(const ruv::SearchQuery& q, std::size_t blockBytes = ruv::kSearchBlockBytes) {
        Recorder recorder;
        std::atomic<bool> cancel{false};
        ruv::runLogSearch({folder.path(), q, blockBytes}, recorder, cancel);
        return recorder;
    }
    std::vector<std::string> results(const ruv::SearchQuery& q) { return run(q).results; }
    std::string result(int day, std::string_view channel, std::string_view body) const {
        return "2024-05-" + std::string(day < 10 ? "0" : "") + std::to_string(day) + "\t" +
               std::string(kStamp) + "\t" + std::string(channel) + "\t" + std::string(body);
    }

    TempFolder folder;
};

TEST_F(LogSearchTest, MatchesOnlyAtCharacterStartsOfTheDisplayText) {
    // ア is 0x83 0x41: its trail byte is "A". イ is 0x83 0x43.
    write(1, {chatLine(kTeam, sj("ネコ : アイ")), chatLine(kTeam, sj("ネコ : A"))});
    struct Case {
        std::string text;
        std::size_t matches;
    };
    const std::vector<Case> cases{
        {"A", 1},                               // only the line where A is a character
        {sj("ア").substr(1) + sj("イ")[0], 0},  // a trail byte and the next lead byte
        {sj("アイ"), 1},
        {"<font", 0},  // markup is not display text
        {"Team", 0},
    };
    for (const Case& c : cases) {
        ruv::SearchQuery q;
        q.text = c.text;
        EXPECT_EQ(results(q).size(), c.matches) << c.text;
    }
}

TEST_F(LogSearchTest, AQuotedMarkerDoesNotChangeTheLinesChannel) {
    const std::string typed = " <font size=\"2\" color=\"#94ddfa\">";
    write(1, {chatLine(kTeam, sj("ネコ : 見て") + typed + sj("クラブ"))});
    auto q = query("クラブ");
    q.channels = ruv::SearchChannels::none();
    q.channels.tick(ChatChannel::Club, true);
    EXPECT_TRUE(results(q).empty());
    q.channels.tick(ChatChannel::Team, true);
    EXPECT_EQ(results(q), std::vector<std::string>{
                              result(1, "Team", sj("ネコ : 見て") + typed + sj("クラブ"))});
}

TEST_F(LogSearchTest, NgLinesAreLeftOutAndComeBackWithTheTick) {
    write(1, {chatLine(kOpen, sj("黒猫 : 集合")), chatLine(kOpen, sj("白猫 : 集合だよ")),
              chatLine(kOpen, sj("三毛 : 集合")), chatLine(kOpen, sj("黒猫 : 別件"))});
    auto q = query("集合");
    q.ng.lists.users = {sj("黒猫")};
    q.ng.lists.words = {sj("だよ")};
    q.ng.usersApplied = true;
    q.ng.wordsApplied = true;
    EXPECT_EQ(results(q), std::vector<std::string>{result(1, "Open", sj("三毛 : 集合"))});
    q.ng.lines = ruv::NgLines::Included;
    EXPECT_EQ(results(q).size(), 3u);
    q.ng.lines = ruv::NgLines::LeftOut;
    q.ng.usersApplied = false;
    EXPECT_EQ(results(q).size(), 2u);
}

TEST_F(LogSearchTest, ADayRangeSearchesItsDaysNewestFirst) {
    for (int day = 1; day <= 4; ++day) {
        write(day, {chatLine(kClub, sj("ネコ : 朝")), chatLine(kClub, sj("ネコ : 夜"))});
    }
    writeBytes(folder / "MHChatLog_2024_05_05.txt", logOf({chatLine(kClub, sj("ネコ : 朝"))}));
    auto q = query("朝");
    q.from = CivilDate{2024, 5, 2};
    q.to = CivilDate{2024, 5, 3};
    const Recorder recorder = run(q);
    EXPECT_EQ(recorder.results, (std::vector<std::string>{result(3, "Club", sj("ネコ : 朝")),
                                                          result(2, "Club", sj("ネコ : 朝"))}));
    EXPECT_EQ(recorder.events,
              (std::vector<std::string>{"started 2", "day 2024-05-03 1", "progress 1/2",
                                        "day 2024-05-02 1", "progress 2/2"}));
    EXPECT_EQ(recorder.summary.matches, 2);
    EXPECT_EQ(recorder.summary.daysWithMatches, 2);
}

TEST_F(LogSearchTest, UnsearchableFilesAreSkippedByNameAndTheSearchGoesOn) {
    write(1, {chatLine(kClub, sj("ネコ : 朝"))});
    std::filesystem::create_directory(folder / logName(2));
    writeBytes(folder / logName(3), "PK\x03\x04 not a log\n" + chatLine(kClub, sj("ネコ : 朝")));
    const Recorder recorder = run(query("朝"));
    EXPECT_EQ(recorder.events,
              (std::vector<std::string>{
                  "started 3", "skipped 2024-05-03 " + logName(3) + " not-a-chat-log",
                  "progress 1/3", "skipped 2024-05-02 " + logName(2) + " cannot-read",
                  "progress 2/3", "day 2024-05-01 1", "progress 3/3"}));
    EXPECT_EQ(recorder.summary.daysSkipped, 2);
    EXPECT_EQ(recorder.summary.end, ruv::SearchEnd::Completed);
}

TEST_F(LogSearchTest, BlocksFindWhatTheWholeFileFinds) {
    // Lines (shorter than a block) cross block ends at many offsets; entities
    // join text only in the display text.
    std::vector<std::string> lines;
    for (int i = 0; i < 300; ++i) {
        lines.push_back(
            chatLine(i % 2 ? kTeam : kOpen, sj("ネコ : ") +
                                                std::string(static_cast<std::size_t>(i % 37), 'x') +
                                                (i % 5 == 0 ? "ab&nbsp cd" : "abcd")));
    }
    write(1, lines);
    const auto q = query("abcd");
    const Recorder whole = run(q);
    ASSERT_EQ(whole.results.size(), 300u);
    for (std::size_t block : {211u, 1024u, 4099u}) {
        EXPECT_EQ(run(q, block).results, whole.results) << block;
    }
}

TEST_F(LogSearchTest, CancelStopsWithinOneFile) {
    std::vector<std::string> lines(2000, chatLine(kTeam, sj("ネコ : 朝")));
    write(1, lines);
    write(2, lines);
    struct Cancelling : Recorder {
        std::atomic<bool>* cancel = nullptr;
        void dayHits(CivilDate day, std::span<const ruv::SearchHit> hits) override {
            Recorder::dayHits(day, hits);
            *cancel = true;
        }
    } recorder;
    std::atomic<bool> cancel{false};
    recorder.cancel = &cancel;
    ruv::runLogSearch({folder.path(), query("朝"), 4096}, recorder, cancel);
    EXPECT_EQ(recorder.hitCalls, 1);
    EXPECT_LT(recorder.results.size(), lines.size());
    EXPECT_EQ(recorder.events, std::vector<std::string>{"started 2"});
    EXPECT_EQ(recorder.summary.end, ruv::SearchEnd::Cancelled);
}

TEST_F(LogSearchTest, TheWorkerThreadReportsTheSameAsTheCallingThread) {
    write(1, {chatLine(kClub, sj("ネコ : 朝")), chatLine(kTeam, sj("イヌ : 朝"))});
    auto q = query("朝");
    q.speaker = sj("イヌ");
    const auto recorder = std::make_shared<Recorder>();
    ruv::LogSearch search;
    search.start({folder.path(), q}, recorder);
    search.wait();
    EXPECT_EQ(recorder->results, run(q).results);
    EXPECT_EQ(recorder->results, std::vector<std::string>{result(1, "Team", sj("イヌ : 朝"))});
}

TEST_F(LogSearchTest, TextRunningFromTheStampIntoTheMessageIsFoundAndShownOnItsOwnLine) {
    // The stamp ends "0]": the views show "0]ネコ" on every line of ネコ.
    const std::vector<std::string> lines{chatLine(kTeam, sj("イヌ : 0]ネコ")),
                                         chatLine(kClub, sj("ネコ : やあ")),
                                         chatLine(kOpen, sj("ネコ : また"), TagForm::BlankAfter)};
    write(1, lines);
    const ruv::SearchQuery q = query("0]ネコ");
    const Recorder found = run(q);
    EXPECT_EQ(found.results, (std::vector<std::string>{result(1, "Team", sj("イヌ : 0]ネコ")),
                                                       result(1, "Club", sj("ネコ : やあ")),
                                                       result(1, "Open", sj("ネコ : また"))}));
    const std::string bytes = logOf(lines);
    for (std::size_t i = 0; i < found.lineStarts.size(); ++i) {
        ruv::ViewLines shown;
        const auto hit = ruv::fillDayLines(bytes, q, found.lineStarts[i], shown);
        ASSERT_TRUE(hit) << i;
        EXPECT_EQ(hit->line, i);
        EXPECT_EQ(shown.store().line(i).substr(static_cast<std::size_t>(hit->start.value)),
                  sj("0]ネコ") + (i == 0 ? "" : sj(i == 1 ? " : やあ" : " : また")));
    }
}

// Every line of a day checked in full, with no fast search before it.
std::vector<std::string> eachLineChecked(const std::string& bytes, const ruv::SearchQuery& q,
                                         int day) {
    std::vector<std::string> found;
    ruv::LineMatcher matcher(q);
    for (std::size_t at = 0; at < bytes.size();) {
        const ruv::LineCut line = ruv::cutLine(bytes, at);
        if (auto hit = matcher.match(line.text)) {
            found.push_back(ruv::searchResultLine(CivilDate{2024, 5, day}, *hit));
        }
        at = line.next;
    }
    return found;
}

TEST_F(LogSearchTest, QueriesThatCanAndCannotCrossTheJunctionFindWhatEveryLineCheckedFinds) {
    // Stamps of the game's form and of the test's; bodies that open with the
    // query's second piece, behind entities, or hold the query whole.
    const std::string gameStamp = "[05/01 20:15:30] ";
    std::vector<std::string> lines;
    for (const std::string& stamp : {std::string(kStamp), gameStamp}) {
        for (const std::string& body :
             {sj("ネコ : やあ"), sj("イヌ : 0]ネコ"), sj("イヌ : ] ネコ"),
              "&nbsp " + sj("ネコ : x"), sj("ネコ&nbsp : やあ"), sj("イヌ : やあネコ : やあ"),
              sj("ネ") + "&nbsp" + sj("コ : y")}) {
            lines.push_back(chatLine(kTeam, body, TagForm::BlankBefore, stamp));
            lines.push_back(chatLine(kOpen, body, TagForm::BlankAfter, stamp));
        }
    }
    lines.push_back(chatLine(kClub, sj("ネコ : やあ"), TagForm::BlankBefore, "[05/01 &nbsp20:1]"));
    // Those that can cross the junction find some line only across it.
    const struct {
        const char* text;
        bool canCross;
    } queries[] = {
        {"ネコ : やあ", false}, {"やあ", false},      {"0]ネコ", true},  {"] ネコ", true},
        {" ネコ", true},        {"30] ネコ :", true}, {":30] ネ", true}, {"21:0]ネコ : やあ", true},
        {"コ : や", false},     {"0]ネ", true},       {"] ", true},      {"]", false},
    };
    for (const bool crLf : {false, true}) {
        std::string bytes = logOf(lines);
        for (std::size_t at = bytes.find('\n'); crLf && at != std::string::npos;
             at = bytes.find('\n', at + 2)) {
            bytes.insert(at, 1, '\r');
        }
        writeBytes(folder / logName(1), bytes);
        for (const auto& q : queries) {
            SCOPED_TRACE(std::string(q.text) + (crLf ? " CR LF" : " LF"));
            const auto query = this->query(q.text);
            const std::vector<std::string> expected = eachLineChecked(bytes, query, 1);
            if (q.canCross) {
                EXPECT_FALSE(expected.empty());
            }
            EXPECT_EQ(results(query), expected);
            EXPECT_EQ(run(query, 701).results, expected);
        }
    }
}

TEST(LogDays, AreReadFromDailyLogNamesAndWrittenWithHyphens) {
    EXPECT_EQ(ruv::dayOfLogName("MHChatLog_2024_05_01.html"), (CivilDate{2024, 5, 1}));
    for (std::string_view name : {"MHChatLog_2024_13_01.html", "MHChatLog_2024-05-01.html",
                                  "MHChatLog_2024_05_01.htm", "mhchatlog_2024_05_01.html"}) {
        EXPECT_FALSE(ruv::dayOfLogName(name)) << name;
    }
    EXPECT_EQ(ruv::parseLogDay("2023-12-31"), (CivilDate{2023, 12, 31}));
    EXPECT_FALSE(ruv::parseLogDay("2023_12_31"));
    EXPECT_EQ(ruv::logDayText({2023, 1, 2}), "2023-01-02");
}

TEST_F(LogSearchTest, ANoResultSearchSaysWhyWhenTheQueryOrTheFolderExplainsIt) {
    using Reason = ruv::NoResultReason;
    struct Case {
        const char* what;
        std::function<void(ruv::SearchQuery&)> ask;
        std::optional<Reason> reason;
    };
    const std::vector<Case> cases{
        {"found", [](ruv::SearchQuery&) {}, std::nullopt},
        {"no such text", [](auto& q) { q.text = sj("解散"); }, std::nullopt},
        {"empty text", [](auto& q) { q.text.clear(); }, Reason::EmptyText},
        {"no channel", [](auto& q) { q.channels = ruv::SearchChannels::none(); },
         Reason::NoChannel},
        {"reversed range",
         [](auto& q) {
             q.from = CivilDate{2024, 5, 2};
             q.to = CivilDate{2024, 5, 1};
         },
         Reason::ReversedRange},
        {"range without a log",
         [](auto& q) {
             q.from = CivilDate{2024, 6, 1};
         },
         Reason::NoDayInRange},
        {"speaker on the NG list",
         [](auto& q) {
             q.speaker = sj("黒猫");
             q.ng.lists.users = {sj("黒猫")};
             q.ng.usersApplied = true;
         },
         Reason::LeftOutByNg},
        {"speaker on the NG list, NG lines included",
         [](auto& q) {
             q.speaker = sj("黒猫");
             q.ng.lists.users = {sj("黒猫")};
             q.ng.usersApplied = true;
             q.ng.lines = ruv::NgLines::Included;
         },
         std::nullopt},
    };
    write(1, {chatLine(kOpen, sj("黒猫 : 集合"))});
    for (const Case& c : cases) {
        auto q = query("集合");
        c.ask(q);
        EXPECT_EQ(ruv::noResultReason(q, run(q).summary), c.reason) << c.what;
    }
    std::filesystem::remove(folder / logName(1));
    const auto q = query("集合");
    EXPECT_EQ(ruv::noResultReason(q, run(q).summary), Reason::NoDailyLog);
}

TEST(SearchChannelNames, AreTheSettingsKeysForScriptsAndTheTabCaptionsForThePlayer) {
    struct Names {
        ChatChannel channel;
        std::string_view key;
        std::string_view caption;
    };
    const Names names[] = {
        {ChatChannel::Open, "Open", "一般"},         {ChatChannel::Team, "Team", "チーム"},
        {ChatChannel::Club, "Club", "クラブ"},       {ChatChannel::Whis, "Whis", "耳打ち"},
        {ChatChannel::Shout, "Shout", "叫び"},       {ChatChannel::Battle, "Battle", "戦闘情報"},
        {ChatChannel::System, "System", "システム"},
    };
    for (const Names& n : names) {
        EXPECT_EQ(
            ruv::cp932::toUtf8(ruv::searchChannelName(n.channel, ruv::ChannelNaming::SettingsKey)),
            n.key);
        EXPECT_EQ(
            ruv::cp932::toUtf8(ruv::searchChannelName(n.channel, ruv::ChannelNaming::TabCaption)),
            n.caption);
        EXPECT_EQ(ruv::searchChannelNamed(n.key), n.channel) << n.key;
        EXPECT_EQ(ruv::searchChannelNamed(n.caption), n.channel) << n.caption;
    }
    for (std::string_view unknown : {"通常", "Normal", "NG", "open", "", "一般 "}) {
        EXPECT_FALSE(ruv::searchChannelNamed(unknown)) << unknown;
    }
}

TEST(SearchResultRows, ShowTheClockOfTheStampAndTheChannelsTabCaption) {
    const auto hit = [](std::string_view stamp) {
        return ruv::SearchHit{
            ChatChannel::Shout, {}, std::string(stamp) + sj("ネコ : 集合"), ruv::NgHeld::No, {}};
    };
    struct Case {
        std::string_view stamp;  // 17 bytes
        std::string_view clock;
    };
    for (const Case& c : {Case{"[12/07 20:01:09] ", "20:01:09"}, Case{"[2024/05/01 21:0]", "21:0"},
                          Case{"20:01:09         ", "20:01:09"}}) {
        EXPECT_EQ(ruv::searchResultRow(hit(c.stamp)),
                  std::string(c.clock) + "\t" + sj("叫び") + "\t" + sj("ネコ : 集合"));
    }
    EXPECT_EQ(ruv::searchResultLine({2026, 12, 7}, hit("[12/07 20:01:09] "),
                                    ruv::ChannelNaming::TabCaption),
              "2026-12-07\t[12/07 20:01:09]\t" + sj("叫び") + "\t" + sj("ネコ : 集合"));
}

}  // namespace
