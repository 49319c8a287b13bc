#include "core/lines/chat_format.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/cp932_text.h"

namespace {

using ruv::ChatChannel;
using ruv::ChatLine;
using ruv::Colour;
using ruv::testing::sj;
namespace colours = ruv::colours;
namespace markers = ruv::markers;

const std::string kStamp = "[05/01 21:03:15] ";  // 17 bytes

std::string tagBefore(std::string_view hex) {
    return "</font> <font size=\"2\" color=\"#" + std::string(hex) + "\">";
}
std::string tagAfter(std::string_view hex) {
    return "</font><font size=\"2\" color=\"#" + std::string(hex) + "\"> ";
}
// A chat line as the game writes it, without its line feed.
std::string chatLine(const std::string& tag, const std::string& body) {
    return std::string(markers::kLine) + " " + kStamp + tag + body + "</font></br>";
}

TEST(ChatLayout, FixedWidthsMatchTheMarkers) {
    EXPECT_EQ(markers::kLine.size(), 29u);
    EXPECT_EQ(markers::kLineClose.size(), ruv::kLineCloseBytes);
    EXPECT_EQ(tagBefore("c8ffc8").size(), ruv::kTagBlockBytes);
    EXPECT_EQ(tagAfter("c8ffc8").size(), ruv::kTagBlockBytes);
    EXPECT_EQ(markers::kHeaderBody.size() + 1, 23u);
    EXPECT_EQ(markers::kHeaderTitle.size() + 1, 80u);
    EXPECT_EQ(markers::kHeaderFace.cp932().size() + 1, 28u);
    EXPECT_EQ(ruv::colourText(colours::kTeam), "#f7b73c");
    EXPECT_EQ(ruv::dailyLogName(2024, 5, 1), "MHChatLog_2024_05_01.html");
}

TEST(EntityRemoval, RemovesBlankFormWholeAndBareFormWithoutItsSemicolon) {
    EXPECT_EQ(ruv::removeEntities("a&nbsp b"), "ab");
    EXPECT_EQ(ruv::removeEntities("a&nbsp;b"), "a;b");
    EXPECT_EQ(ruv::removeEntities("a&nbspb&nbsp"), "ab");
    EXPECT_EQ(ruv::removeEntities("&nbsp &nbsp;&nbsp"), ";");
    // Case-sensitive, and no other entity is decoded.
    EXPECT_EQ(ruv::removeEntities("&NBSP;&lt;&amp;&gt;"), "&NBSP;&lt;&amp;&gt;");
    // One pass per form: what the first pass joins is not rescanned for the blank form.
    EXPECT_EQ(ruv::removeEntities("&nb&nbsp sp x"), " x");
    // Next to characters whose trail byte is '\' or '|'.
    const std::string text = sj("表") + "&nbsp " + sj("ソ") + "&nbsp;" + sj("ポ");
    EXPECT_EQ(ruv::removeEntities(text), sj("表ソ") + ";" + sj("ポ"));
}

TEST(EntityRemoval, CrLfPairsGoBeforeEntities) {
    EXPECT_EQ(ruv::removeCrLf("a\r\nb\rc\n\r"), "ab\rc\n\r");
    const ChatLine line = ChatLine::fromLogLine("x&nb\r\nsp;y");
    EXPECT_EQ(line.raw, "x;y");
}

TEST(DisplayText, IsTimeStampFollowedByBody) {
    const std::string body = sj("表示 : ソ\\ポ|能");
    const std::string raw = chatLine(tagBefore("94ddfa"), body);
    EXPECT_EQ(ruv::displayText(raw), kStamp + body);
    EXPECT_EQ(ruv::bodyOfDisplay(ruv::displayText(raw)), body);
}

TEST(DisplayText, ClampsEachStepToWhatIsThere) {
    const std::string forty = std::string(markers::kLine) + "_" + "0123456789";
    ASSERT_EQ(forty.size(), 40u);
    EXPECT_EQ(ruv::displayText(forty), "0123456789");
    const std::string thirty = std::string(markers::kLine) + "_";
    EXPECT_EQ(ruv::displayText(thirty), "");
    EXPECT_EQ(ruv::displayText(thirty.substr(0, 12)), "");
    // 20 bytes after the separator: 17 kept, 3 of the tag block cut, then 12 closing bytes cut.
    const std::string fifty = thirty + "ABCDEFGHIJKLMNOPQRST";
    EXPECT_EQ(ruv::displayText(fifty), "ABCDE");
    // Byte widths, not characters: a double-byte character may be cut in half.
    const std::string halves = thirty + std::string(16, 'a') + sj("表") + std::string(39, 'x') +
                               "BODY" + std::string(markers::kLineClose);
    EXPECT_EQ(ruv::displayText(halves), std::string(16, 'a') + sj("表").front() + "xBODY");
    EXPECT_EQ(ruv::bodyOfDisplay("short"), "");
}

struct ColourCase {
    const char* hex;
    Colour colour;
    ChatChannel channel;
    bool blankAfterCounts;
};

TEST(ChannelMatching, EveryColourInBothTagBlockForms) {
    const std::vector<ColourCase> cases = {
        {"c8ffc8", colours::kOpenGreen, ChatChannel::Open, true},
        {"ffffff", colours::kOpenWhite, ChatChannel::Open, true},
        {"f7b73c", colours::kTeam, ChatChannel::Team, false},
        {"94ddfa", colours::kClub, ChatChannel::Club, false},
        {"64ff64", colours::kWhis, ChatChannel::Whis, false},
        {"c896c8", colours::kShout, ChatChannel::Shout, false},
        {"ff64ff", colours::kBattle, ChatChannel::Battle, false},
        {"ff6464", colours::kSystemRed, ChatChannel::System, false},
        {"64ff80", colours::kSystemGreen, ChatChannel::System, false},
    };
    const std::string body = sj("ソフィア : 表示|能力");
    for (const ColourCase& c : cases) {
        SCOPED_TRACE(c.hex);
        const auto before = ruv::ownMarker(chatLine(tagBefore(c.hex), body));
        ASSERT_TRUE(before.has_value());
        EXPECT_EQ(before->channel, c.channel);
        EXPECT_EQ(before->colour, c.colour);
        EXPECT_EQ(ruv::colourText(c.colour), std::string("#") + c.hex);

        const auto after = ruv::ownMarker(chatLine(tagAfter(c.hex), body));
        EXPECT_EQ(after.has_value(), c.blankAfterCounts);
        if (after) {
            EXPECT_EQ(after->channel, c.channel);
            EXPECT_EQ(after->colour, c.colour);
        }
        // The display text does not depend on the form.
        EXPECT_EQ(ruv::displayText(chatLine(tagAfter(c.hex), body)), kStamp + body);
    }
}

TEST(ChannelMatching, HeaderAndUpperCaseColoursMatchNoChannel) {
    EXPECT_FALSE(ruv::ownMarker(markers::kHeaderTitle).has_value());
    EXPECT_FALSE(ruv::ownMarker(markers::kHeaderFace).has_value());
    EXPECT_FALSE(ruv::ownMarker(chatLine(tagBefore("F7B73C"), "x : y")).has_value());
    EXPECT_FALSE(ruv::ownMarker(chatLine(tagBefore("123456"), "x : y")).has_value());
}

TEST(ChannelMatching, TheFirstMarkerInTheLineIsItsOwn) {
    // A Team line whose message quotes the Open marker is a Team line.
    const std::string raw = chatLine(tagBefore("f7b73c"), "a : " + tagBefore("c8ffc8"));
    EXPECT_EQ(ruv::ownMarker(raw)->channel, ChatChannel::Team);
}

TEST(ChatLineFromLog, MarkersAreLookedUpAfterEntityRemoval) {
    // The entity sits inside the tag block; once removed the Team marker appears.
    const std::string written = std::string(markers::kLine) + " " + kStamp +
                                "</font> <fo&nbspnt size=\"2\" color=\"#f7b73c\">" +
                                sj("能登 : こんばんは") + "&nbsp;</font></br>";
    const ChatLine line = ChatLine::fromLogLine(written);
    ASSERT_TRUE(line.channel.has_value());
    EXPECT_EQ(*line.channel, ChatChannel::Team);
    EXPECT_EQ(line.colour, colours::kTeam);
    EXPECT_EQ(line.display, kStamp + sj("能登 : こんばんは") + ";");
    EXPECT_EQ(line.body, sj("能登 : こんばんは") + ";");
    EXPECT_EQ(line.speaker, sj("能登"));
}

TEST(ChatLineFromLog, RawLinesAreNotCleanedTwice) {
    // One removal leaves "&nbsp" behind; a line already cleaned keeps it.
    const std::string written = chatLine(tagBefore("c8ffc8"), "a : &n&nbspbsp;");
    const ChatLine once = ChatLine::fromLogLine(written);
    EXPECT_EQ(once.body, "a : &nbsp;");
    const ChatLine again = ChatLine::fromRaw(once.raw);
    EXPECT_EQ(again.raw, once.raw);
    EXPECT_EQ(again.body, once.body);
    EXPECT_EQ(again.channel, ChatChannel::Open);
    EXPECT_EQ(again.speaker, "a");
}

TEST(ChatLineFromLog, SpeakerOnlyForChatChannels) {
    const ChatLine chat = ChatLine::fromLogLine(chatLine(tagAfter("c8ffc8"), sj("ソ\\ポ : 1 : 2")));
    EXPECT_EQ(chat.speaker, sj("ソ\\ポ"));
    const ChatLine noColon = ChatLine::fromLogLine(chatLine(tagBefore("64ff64"), sj("表")));
    EXPECT_EQ(noColon.speaker, sj("表"));
    const ChatLine system = ChatLine::fromLogLine(chatLine(tagBefore("ff6464"), "A : B"));
    EXPECT_EQ(system.speaker, "");
    const ChatLine none = ChatLine::fromLogLine(chatLine(tagAfter("f7b73c"), "A : B"));
    EXPECT_FALSE(none.channel.has_value());
    EXPECT_EQ(none.speaker, "");
    EXPECT_EQ(none.display, kStamp + "A : B");
}

TEST(ExperienceGain, AmountWithAndWithoutLeadingBlank) {
    const std::string plain = chatLine(tagBefore("ff64ff"), sj("経験値が 35 上がりました。"));
    const std::string blank = chatLine(tagBefore("ff64ff"), sj(" 経験値が 35 上がりました。"));
    for (const std::string& raw : {plain, blank}) {
        EXPECT_TRUE(ruv::isExpGain(raw));
        EXPECT_EQ(ruv::gainAmount(raw), 35);
    }
    const std::string big = chatLine(tagBefore("ff64ff"), sj("経験値が 1234567 上がりました。"));
    EXPECT_EQ(ruv::gainAmount(big), 1234567);
}

TEST(ExperienceGain, OtherFormsAreNotGainsOrHaveNoAmount) {
    // The blank-after form of the battle colour is no gain line.
    EXPECT_FALSE(ruv::isExpGain(chatLine(tagAfter("ff64ff"), sj("経験値が 35 上がりました。"))));
    // Without the closing words the rest of the line is read and is no number.
    const std::string open = chatLine(tagBefore("ff64ff"), sj("経験値が 35"));
    EXPECT_TRUE(ruv::isExpGain(open));
    EXPECT_FALSE(ruv::gainAmount(open).has_value());
    const std::string words = chatLine(tagBefore("ff64ff"), sj("経験値が たくさん 上がりました。"));
    EXPECT_FALSE(ruv::gainAmount(words).has_value());
    EXPECT_FALSE(ruv::gainAmount("short").has_value());
    // An entity before the amount shifts nothing once removed.
    const ChatLine line =
        ChatLine::fromLogLine(chatLine(tagBefore("ff64ff"), sj("経験値&nbspが 77 上がりました。")));
    EXPECT_EQ(ruv::gainAmount(line.raw), 77);
}

TEST(ExperienceGain, LevelUpAnywhereInTheLine) {
    EXPECT_TRUE(
        ruv::isLevelUp(chatLine(tagBefore("ff64ff"), sj("ソーマはレベルアップしました！"))));
    EXPECT_FALSE(ruv::isLevelUp(chatLine(tagBefore("ff64ff"), sj("レベルアップしました"))));
}

TEST(ParseDecimal, SignsBlanksAndOverflow) {
    EXPECT_EQ(ruv::parseDecimal("  -12", true), -12);
    EXPECT_FALSE(ruv::parseDecimal("  -12", false).has_value());
    EXPECT_FALSE(ruv::parseDecimal("12 ", true).has_value());
    EXPECT_FALSE(ruv::parseDecimal("-", true).has_value());
    EXPECT_FALSE(ruv::parseDecimal("", true).has_value());
    EXPECT_EQ(ruv::parseDecimal("-9223372036854775808", false), INT64_MIN);
    EXPECT_FALSE(ruv::parseDecimal("9223372036854775808", false).has_value());
}

}  // namespace
