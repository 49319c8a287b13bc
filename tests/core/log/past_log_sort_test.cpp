#include "core/log/past_log_sort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "core/lines/chat_format.h"
#include "core/text/sjis.h"
#include "loggen/log_generator.h"
#include "support/cp932_text.h"

namespace {

using ruv::ChatChannel;
using ruv::PastLogSort;
using ruv::testing::sj;
namespace mk = ruv::markers;

const std::string kStamp = "[05/01 20:15:30] ";  // any 17 bytes serve

enum class Form { BlankBefore, BlankAfter };

std::string fontTag(std::string_view hex) {
    return "<font size=\"2\" color=\"#" + std::string(hex) + "\">";
}

std::string tagBlock(std::string_view hex, Form form) {
    return form == Form::BlankBefore ? "</font> " + fontTag(hex) : "</font>" + fontTag(hex) + " ";
}

// One chat line as the game writes it, without its line feed.
std::string chatLine(std::string_view hex, std::string_view body, Form form = Form::BlankBefore,
                     std::string_view stamp = kStamp) {
    return std::string(mk::kLine) + " " + std::string(stamp) + tagBlock(hex, form) +
           std::string(body) + std::string(mk::kLineClose);
}

std::string headerBlock() {
    std::string date = std::string(mk::kHeaderDatePrefix) + "2024/05/01 (Wed) 20:00:00";
    const std::string close = " </b></font></br>";
    date += std::string(mk::kHeaderDateLineBytes - 1 - date.size() - close.size(), ' ') + close;
    return std::string(mk::kHeaderBody) + "\n" + std::string(mk::kHeaderTitle) + "\n" + date +
           "\n" + std::string(mk::kHeaderFace) + "\n";
}

std::string lines(const std::vector<std::string>& each) {
    std::string out;
    for (const std::string& line : each) {
        out += line + "\n";
    }
    return out;
}

std::string append(std::string_view view, std::string_view colour, std::string_view text) {
    return "append " + std::string(view) + " " + std::string(colour) + " " + std::string(text);
}
std::string gain(std::int64_t amount) {
    return "gain " + std::to_string(amount);
}
std::string unreadable(std::string_view text) {
    return "unreadable " + std::string(text);
}

class RecordingSink : public ruv::PastLogSink {
  public:
    void append(ChatChannel view, std::string_view text, ruv::Colour colour) override {
        events.push_back(::append(ruv::settingsKey(view), ruv::colourText(colour), text));
    }
    void addDayGain(std::int64_t amount, std::string_view) override {
        events.push_back(gain(amount));
    }
    void unreadableGain(std::string_view display) override {
        events.push_back(unreadable(display));
    }

    std::vector<std::string> events;
};

std::vector<std::string> sortAll(std::string bytes) {
    RecordingSink sink;
    PastLogSort sort(std::move(bytes));
    sort.runToEnd(sink);
    EXPECT_TRUE(sort.done());
    return sink.events;
}

using Events = std::vector<std::string>;

TEST(PastLogSortEnds, HeaderOnlyLogShowsNothing) {
    EXPECT_EQ(sortAll(headerBlock()), Events{});
    EXPECT_EQ(sortAll(""), Events{});
}

TEST(PastLogSortEnds, HeaderBlockIsStrippedByItsLengths) {
    EXPECT_EQ(sortAll(headerBlock() + lines({chatLine("f7b73c", "A : hi")})),
              (Events{append("Normal", "#f7b73c", kStamp + "A : hi"),
                      append("Team", "#f7b73c", kStamp + "A : hi")}));
}

TEST(PastLogSortEnds, LastLineWithoutClosingTagsIsNotShown) {
    const std::string first = chatLine("94ddfa", "A : one");
    const std::string second = chatLine("94ddfa", "B : two");
    const Events shown{append("Normal", "#94ddfa", kStamp + "A : one"),
                       append("Club", "#94ddfa", kStamp + "A : one")};
    // Still being written: no closing tags yet, or no line feed after them yet.
    EXPECT_EQ(sortAll(headerBlock() + lines({first}) + second.substr(0, second.size() - 12)),
              shown);
    EXPECT_EQ(sortAll(headerBlock() + lines({first}) + second), shown);
}

TEST(PastLogSortEnds, TextAfterTheLastLineMarkerIsIgnored) {
    // A line without the white marker is sorted only while a later line holds one.
    const std::string stray = "                              " + kStamp +
                              tagBlock("f7b73c", Form::BlankBefore) + "X : y</font></br>";
    EXPECT_EQ(sortAll(lines({stray})), Events{});
    EXPECT_EQ(sortAll(lines({chatLine("94ddfa", "A : b"), stray})),
              (Events{append("Normal", "#94ddfa", kStamp + "A : b"),
                      append("Club", "#94ddfa", kStamp + "A : b")}));
    EXPECT_EQ(sortAll(lines({stray, chatLine("f7b73c", "A : b")})),
              (Events{append("Normal", "#f7b73c", kStamp + "X : y"),
                      append("Team", "#f7b73c", kStamp + "X : y"),
                      append("Normal", "#f7b73c", kStamp + "A : b"),
                      append("Team", "#f7b73c", kStamp + "A : b")}));
}

TEST(PastLogSortRows, EachChatChannelGoesToNormalThenItsOwnView) {
    struct Case {
        const char* hex;
        const char* view;
    };
    for (const Case c : {Case{"c8ffc8", "Open"}, Case{"ffffff", "Open"}, Case{"f7b73c", "Team"},
                         Case{"94ddfa", "Club"}, Case{"64ff64", "Whis"}, Case{"c896c8", "Shout"}}) {
        const std::string colour = "#" + std::string(c.hex);
        const std::string body = sj("名無し : こんにちは");
        EXPECT_EQ(sortAll(lines({chatLine(c.hex, body)})),
                  (Events{append("Normal", colour, kStamp + body),
                          append(c.view, colour, kStamp + body)}))
            << c.hex;
    }
}

TEST(PastLogSortRows, BattleAndSystemNeverReachNormal) {
    EXPECT_EQ(sortAll(lines({chatLine("ff64ff", "hit"), chatLine("ff6464", "red"),
                             chatLine("64ff80", "green")})),
              (Events{append("Battle", "#ff64ff", kStamp + "hit"),
                      append("System", "#ff6464", kStamp + "red"),
                      append("System", "#64ff80", kStamp + "green")}));
}

TEST(PastLogSortRows, OnlyOpenIsAcceptedInTheBlankAfterForm) {
    EXPECT_EQ(sortAll(lines({chatLine("c8ffc8", "A : x", Form::BlankAfter),
                             chatLine("ffffff", "B : x", Form::BlankAfter),
                             chatLine("f7b73c", "C : x", Form::BlankAfter),
                             chatLine("ff64ff", "D", Form::BlankAfter),
                             chatLine("64ff80", "E", Form::BlankAfter),
                             chatLine("123456", "F : unknown colour")})),
              (Events{append("Normal", "#c8ffc8", kStamp + "A : x"),
                      append("Open", "#c8ffc8", kStamp + "A : x"),
                      append("Normal", "#ffffff", kStamp + "B : x"),
                      append("Open", "#ffffff", kStamp + "B : x")}));
}

TEST(PastLogSortRows, TheLinesOwnMarkupDecidesNotMarkupQuotedInItsMessage) {
    // The body quotes another colour's marker, as a player may type it.
    const std::string teamInOpen = "A : " + std::string(mk::kTeam);
    const std::string systemInBattle = "hit" + std::string(mk::kSystemRed);
    const std::string redInGreen = "g" + std::string(mk::kSystemRed);
    const std::string greenInRed = "r" + std::string(mk::kSystemGreen);
    const std::string whiteInGreen = "W : " + tagBlock("ffffff", Form::BlankAfter);
    const std::string greenInTeam = "T : " + tagBlock("c8ffc8", Form::BlankBefore);
    EXPECT_EQ(sortAll(lines({chatLine("c8ffc8", teamInOpen), chatLine("ff64ff", systemInBattle),
                             chatLine("64ff80", redInGreen), chatLine("ff6464", greenInRed),
                             chatLine("c8ffc8", whiteInGreen), chatLine("f7b73c", greenInTeam)})),
              (Events{append("Normal", "#c8ffc8", kStamp + teamInOpen),
                      append("Open", "#c8ffc8", kStamp + teamInOpen),
                      append("Battle", "#ff64ff", kStamp + systemInBattle),
                      append("System", "#64ff80", kStamp + redInGreen),
                      append("System", "#ff6464", kStamp + greenInRed),
                      append("Normal", "#c8ffc8", kStamp + whiteInGreen),
                      append("Open", "#c8ffc8", kStamp + whiteInGreen),
                      append("Normal", "#f7b73c", kStamp + greenInTeam),
                      append("Team", "#f7b73c", kStamp + greenInTeam)}));
}

TEST(PastLogSortRows, AGainTypedIntoChatIsNotCountedAsExperience) {
    const std::string forged = "M : " + std::string(mk::kBattle) + " " +
                               std::string(mk::kGainWord) + "999999" + std::string(mk::kGainEnd);
    EXPECT_EQ(sortAll(lines({chatLine("f7b73c", forged)})),
              (Events{append("Normal", "#f7b73c", kStamp + forged),
                      append("Team", "#f7b73c", kStamp + forged)}));
}

TEST(PastLogSortRows, MarkerStartingInsideADoubleByteCharacterDoesNotCount) {
    // 0x82 is a lead byte: the blank or '<' after it is its second byte.
    const std::string hiddenTeam = "\x82" + std::string(mk::kTeam) + "x";
    const std::string hiddenOpen = "\x82" + tagBlock("c8ffc8", Form::BlankBefore) + "x";
    EXPECT_EQ(sortAll(lines({chatLine("000000", hiddenTeam), chatLine("000000", hiddenOpen)})),
              Events{});
    const std::string shownTeam = sj("あ") + std::string(mk::kTeam) + "x";
    EXPECT_EQ(sortAll(lines({chatLine("000000", shownTeam)})),
              (Events{append("Normal", "#f7b73c", kStamp + shownTeam),
                      append("Team", "#f7b73c", kStamp + shownTeam)}));
}

TEST(PastLogSortRows, LinesHoldingHeaderTextAreSkipped) {
    for (const std::string_view header :
         {mk::kHeaderBody, mk::kHeaderTitle, mk::kHeaderDatePrefix, mk::kHeaderFace.cp932()}) {
        const std::string quoting = "A : " + std::string(header);
        EXPECT_EQ(sortAll(lines({chatLine("f7b73c", quoting), chatLine("94ddfa", "B : b")})),
                  (Events{append("Normal", "#94ddfa", kStamp + "B : b"),
                          append("Club", "#94ddfa", kStamp + "B : b")}))
            << header;
    }
}

TEST(PastLogSortText, EntitiesAreRemovedBeforeSlicing) {
    // Eleven bytes of entities inside the time stamp shift the fixed-width cut.
    const std::string stamp = "[05/01 &nbsp 20:15&nbsp:30] ";
    const std::string body = "A : a&nbsp b&nbsp;c &amp; d";
    EXPECT_EQ(sortAll(lines({chatLine("c896c8", body, Form::BlankBefore, stamp)})),
              (Events{append("Normal", "#c896c8", "[05/01 20:15:30] A : ab;c &amp; d"),
                      append("Shout", "#c896c8", "[05/01 20:15:30] A : ab;c &amp; d")}));
}

TEST(PastLogSortText, LineEndInsideALineReadsAsALineFeedAndZeroBytesAreDropped) {
    const std::string body = "A : one\r\ntwo\rthree";
    std::string line = chatLine("64ff64", body);
    line.insert(3, std::string(1, '\0'));  // inside the line marker
    EXPECT_EQ(sortAll(lines({line})),
              (Events{append("Normal", "#64ff64", kStamp + "A : one\ntwo\rthree"),
                      append("Whis", "#64ff64", kStamp + "A : one\ntwo\rthree")}));
}

TEST(PastLogSortText, ShortLinesAreSlicedWithinWhatIsThere) {
    // 84 bytes: 54 left after the marker; the tag-block cut takes all but 17.
    const std::string shortLine =
        std::string(mk::kLine) + " 0123456789" + std::string(mk::kTeam) + "</font></br>";
    // 44 bytes: 14 left after the marker, fewer than a time stamp.
    const std::string tiny = std::string(mk::kTeam) + "</font></br>";
    EXPECT_EQ(sortAll(lines({tiny, shortLine})),
              (Events{append("Normal", "#f7b73c", "\">"), append("Team", "#f7b73c", "\">"),
                      append("Normal", "#f7b73c", "01234"), append("Team", "#f7b73c", "01234")}));
}

const std::string kGainWord = sj("経験値が");
const std::string kRaised = sj(" 上がりました。");

TEST(PastLogSortGains, GainLineAddsItsAmountBeforeItIsAppended) {
    const std::string body = kGainWord + " 1234" + kRaised;
    EXPECT_EQ(sortAll(lines({chatLine("ff64ff", body)})),
              (Events{gain(1234), append("Battle", "#ff64ff", kStamp + body)}));
}

TEST(PastLogSortGains, GainBodyMayStartWithABlank) {
    const std::string body = " " + kGainWord + " 35" + kRaised;
    EXPECT_EQ(sortAll(lines({chatLine("ff64ff", body)})),
              (Events{gain(35), append("Battle", "#ff64ff", kStamp + body)}));
}

TEST(PastLogSortGains, NonIntegerGainIsReportedAppendedAndSortingGoesOn) {
    const std::string bad = kGainWord + " 12a4" + kRaised;
    const std::string good = kGainWord + " 7" + kRaised;
    EXPECT_EQ(sortAll(lines({chatLine("ff64ff", bad), chatLine("ff64ff", good),
                             chatLine("f7b73c", "A : b")})),
              (Events{unreadable(kStamp + bad), append("Battle", "#ff64ff", kStamp + bad), gain(7),
                      append("Battle", "#ff64ff", kStamp + good),
                      append("Normal", "#f7b73c", kStamp + "A : b"),
                      append("Team", "#f7b73c", kStamp + "A : b")}));
}

TEST(PastLogSortGains, LevelUpAndOtherBattleLinesCarryNoGain) {
    const std::string levelUp = sj("レベルアップしました！");
    const std::string noBlankAfterWord = kGainWord + "99" + kRaised;
    EXPECT_EQ(sortAll(lines({chatLine("ff64ff", levelUp), chatLine("ff64ff", noBlankAfterWord)})),
              (Events{append("Battle", "#ff64ff", kStamp + levelUp),
                      append("Battle", "#ff64ff", kStamp + noBlankAfterWord)}));
}

std::string mixedLog() {
    const std::string body = sj("名前 : 表示ソ\\テスト");
    return headerBlock() +
           lines({chatLine("c8ffc8", body), chatLine("ff64ff", kGainWord + " 10" + kRaised),
                  "garbage without markers</font></br>", chatLine("ff6464", "sys&nbsp;tem"),
                  chatLine("c896c8", "A : \r\nb"), chatLine("f7b73c", "C : x", Form::BlankAfter),
                  chatLine("ff64ff", kGainWord + " x" + kRaised), chatLine("64ff80", "green"),
                  chatLine("ffffff", body, Form::BlankAfter)}) +
           chatLine("94ddfa", "partial");
}

TEST(PastLogSortSlices, SmallStepsGiveTheSameResultAsOneGo) {
    const Events whole = sortAll(mixedLog());
    ASSERT_EQ(whole.size(), 12u);
    for (const std::int64_t slice : {1, 2, 3, 5}) {
        RecordingSink sink;
        PastLogSort sort(mixedLog());
        int steps = 0;
        while (sort.step(sink, ruv::LineCount{slice}) == ruv::SortProgress::More) {
            ++steps;
            ASSERT_LT(steps, 100);
        }
        EXPECT_EQ(sink.events, whole) << slice;
        EXPECT_TRUE(sort.done());
        // Nine complete lines: a slice of one line needs nine steps before the end.
        if (slice == 1) {
            EXPECT_GE(steps, 9);
        }
        EXPECT_EQ(sort.step(sink, ruv::LineCount{slice}), ruv::SortProgress::Done);
        EXPECT_EQ(sink.events, whole);
    }
}

// Tidying done the plain way: erase from the front, one search per marker.
Events referenceSort(std::string buffer) {
    std::erase(buffer, '\0');
    const auto has = [](std::string_view text, std::string_view needle) {
        return ruv::sjis::contains(text, needle);
    };
    const auto stripLine = [&buffer](std::string_view line) {
        for (const std::string_view end : {"\n", "\r\n"}) {
            if (buffer.starts_with(std::string(line) + std::string(end))) {
                buffer.erase(0, line.size() + end.size());
            }
        }
    };
    struct RefRow {
        std::vector<std::string_view> markers;
        const char* view;
        const char* colour;
        bool normal;
    };
    const std::vector<RefRow> rows{
        {{mk::kOpenGreenBefore, mk::kOpenGreenAfter}, "Open", "#c8ffc8", true},
        {{mk::kOpenWhiteBefore, mk::kOpenWhiteAfter}, "Open", "#ffffff", true},
        {{mk::kTeam}, "Team", "#f7b73c", true},
        {{mk::kClub}, "Club", "#94ddfa", true},
        {{mk::kWhis}, "Whis", "#64ff64", true},
        {{mk::kShout}, "Shout", "#c896c8", true},
        {{mk::kBattle}, "Battle", "#ff64ff", false},
        {{mk::kSystemRed}, "System", "#ff6464", false},
        {{mk::kSystemGreen}, "System", "#64ff80", false},
    };
    Events events;
    while (has(buffer, mk::kLine)) {
        stripLine(mk::kHeaderBody);
        stripLine(mk::kHeaderTitle);
        if (buffer.starts_with(mk::kHeaderDatePrefix)) {
            const bool crLf = buffer.size() > mk::kHeaderDateLineBytes &&
                              buffer.substr(mk::kHeaderDateLineBytes - 1, 2) == "\r\n";
            buffer.erase(0, mk::kHeaderDateLineBytes + (crLf ? 1 : 0));
        }
        stripLine(mk::kHeaderFace);
        const std::size_t lf = ruv::sjis::find(buffer, "</font></br>\n");
        const std::size_t crLf = ruv::sjis::find(buffer, "</font></br>\r\n");
        const std::size_t end = std::min(lf, crLf);
        if (end == ruv::sjis::npos) {
            break;
        }
        // A line end inside the raw line stays a line feed, whether written
        // CR LF or LF.
        std::string cut = buffer.substr(0, end + 12);
        for (std::size_t cr = cut.find("\r\n"); cr != std::string::npos;
             cr = cut.find("\r\n", cr)) {
            cut.erase(cr, 1);
        }
        const std::string raw = ruv::removeEntities(cut);
        buffer.erase(0, end + (end == crLf ? 14 : 13));
        if (has(raw, mk::kHeaderBody) || has(raw, mk::kHeaderTitle) ||
            has(raw, mk::kHeaderDatePrefix) || has(raw, mk::kHeaderFace)) {
            continue;
        }
        // The row whose marker comes first in the line: the line's own markup.
        const RefRow* decided = nullptr;
        std::size_t first = ruv::sjis::npos;
        for (const RefRow& row : rows) {
            for (const std::string_view marker : row.markers) {
                const std::size_t at = ruv::sjis::find(raw, marker);
                if (at != ruv::sjis::npos && (first == ruv::sjis::npos || at < first)) {
                    first = at;
                    decided = &row;
                }
            }
        }
        if (decided == nullptr) {
            continue;
        }
        const std::string display = ruv::displayText(raw);
        if (std::string_view(decided->view) == "Battle" && ruv::isExpGain(raw)) {
            const auto amount = ruv::gainAmount(raw);
            events.push_back(amount ? gain(*amount) : unreadable(display));
        }
        if (decided->normal) {
            events.push_back(append("Normal", decided->colour, display));
        }
        events.push_back(append(decided->view, decided->colour, display));
    }
    return events;
}

TEST(PastLogSortSlices, AgreesWithThePlainWayOnRandomText) {
    const std::string gainWord = sj("経験値が ");
    const std::vector<std::string> pieces{std::string(mk::kLine),
                                          std::string(mk::kLine),
                                          " ",
                                          kStamp,
                                          "x",
                                          "0",
                                          std::string(mk::kLineClose) + "\n",
                                          std::string(mk::kLineClose) + "\n",
                                          "</font></br>",
                                          std::string(mk::kOpenGreenBefore),
                                          std::string(mk::kOpenGreenAfter),
                                          std::string(mk::kOpenWhiteBefore),
                                          std::string(mk::kOpenWhiteAfter),
                                          std::string(mk::kTeam),
                                          std::string(mk::kClub),
                                          std::string(mk::kWhis),
                                          std::string(mk::kShout),
                                          std::string(mk::kBattle),
                                          std::string(mk::kBattle) + gainWord,
                                          std::string(mk::kBattle) + " " + gainWord,
                                          " 12",
                                          "3",
                                          std::string(mk::kGainEnd),
                                          std::string(mk::kSystemRed),
                                          std::string(mk::kSystemGreen),
                                          "\x82",  // lone lead bytes
                                          sj("あ"),
                                          "\x95",
                                          "\r\n",
                                          "\r",
                                          "\n",
                                          "&nbsp",
                                          "&nbsp ",
                                          std::string(1, '\0'),
                                          "<",
                                          "</font>",
                                          std::string(mk::kHeaderBody) + "\n",
                                          std::string(mk::kHeaderTitle) + "\n",
                                          std::string(mk::kHeaderDatePrefix),
                                          std::string(mk::kHeaderFace) + "\n",
                                          std::string(mk::kHeaderFace)};
    std::mt19937 random(20240501);
    std::uniform_int_distribution<std::size_t> pick(0, pieces.size() - 1);
    std::uniform_int_distribution<std::size_t> length(0, 300);
    std::uniform_int_distribution<std::int64_t> slice(1, 4);
    std::size_t shown = 0;
    for (int round = 0; round < 1500; ++round) {
        std::string text;
        for (std::size_t n = length(random); n > 0; --n) {
            text += pieces[pick(random)];
        }
        const Events expected = referenceSort(text);
        shown += expected.size();
        RecordingSink sink;
        PastLogSort sort(text);
        while (sort.step(sink, ruv::LineCount{slice(random)}) == ruv::SortProgress::More) {
        }
        ASSERT_EQ(sink.events, expected) << "round " << round;
    }
    EXPECT_GT(shown, 1000u);  // the soup does produce lines to compare
}

TEST(PastLogSortSlices, GeneratedLogLandsLineByLineWithItsGains) {
    ruv::loggen::LogGenerator generator(42);
    std::vector<ruv::loggen::GeneratedLine> generated;
    const std::string log = generator.generate(400'000, generated);
    Events expected;
    for (const auto& line : generated) {
        if (!line.channel) {
            continue;
        }
        const std::string display = ruv::displayText(ruv::removeEntities(line.bytes));
        const std::string colour = ruv::colourText(line.colour);
        if (line.gain != 0) {
            expected.push_back(gain(line.gain));
        }
        if (*line.channel != ChatChannel::Battle && *line.channel != ChatChannel::System) {
            expected.push_back(append("Normal", colour, display));
        }
        expected.push_back(append(ruv::settingsKey(*line.channel), colour, display));
    }
    ASSERT_GT(generator.totals().gainCount, 100);
    EXPECT_EQ(sortAll(log), expected);

    RecordingSink sink;
    PastLogSort sort(log);
    while (sort.step(sink, ruv::LineCount{97}) == ruv::SortProgress::More) {
    }
    EXPECT_EQ(sink.events, expected);
}

class PastLogFile : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ =
            std::filesystem::temp_directory_path() /
            ("past_log_sort_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    std::filesystem::path write(const std::string& bytes) {
        const auto path = dir_ / "MHChatLog_2024_05_01.html";
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    std::filesystem::path dir_;
};

TEST_F(PastLogFile, OnlyBytesBeforeTheConsumedCountAreSorted) {
    const std::string before = headerBlock() + lines({chatLine("f7b73c", "A : before")});
    const auto path = write(before + lines({chatLine("f7b73c", "B : written during tidying")}));
    const ruv::PastLogBytes read =
        ruv::readPastLog(path, ruv::ByteOffset{static_cast<std::int64_t>(before.size())});
    ASSERT_FALSE(read.error);
    EXPECT_EQ(read.bytes, before);
    EXPECT_EQ(sortAll(read.bytes), (Events{append("Normal", "#f7b73c", kStamp + "A : before"),
                                           append("Team", "#f7b73c", kStamp + "A : before")}));
}

TEST_F(PastLogFile, ReadsTheWholeFileOrWhatThereIs) {
    const std::string bytes = headerBlock() + std::string("\0x\xff", 3);  // NUL and 0xFF: not text
    const auto path = write(bytes);
    EXPECT_EQ(ruv::readPastLog(path).bytes, bytes);
    EXPECT_EQ(ruv::readPastLog(path, ruv::ByteOffset{1'000'000}).bytes, bytes);
    EXPECT_EQ(ruv::readPastLog(path, ruv::ByteOffset{0}).bytes, "");
}

TEST_F(PastLogFile, MissingFileIsAnError) {
    const ruv::PastLogBytes read = ruv::readPastLog(dir_ / "missing.html");
    EXPECT_TRUE(read.error);
    EXPECT_TRUE(read.bytes.empty());
}

}  // namespace
