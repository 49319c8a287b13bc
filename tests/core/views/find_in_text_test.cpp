#include "core/views/find_in_text.h"

#include <gtest/gtest.h>

#include <string>

#include "support/cp932_text.h"

namespace {

using ruv::ByteOffset;
using ruv::FindDirection;
using ruv::findInText;
using ruv::TextSelection;
using ruv::testing::sj;

TextSelection at(std::int64_t start, std::int64_t length = 0) {
    return {ByteOffset{start}, ByteOffset{length}};
}

std::int64_t matchStart(const ruv::FindOutcome& outcome) {
    return outcome.match ? outcome.match->start.value : -1;
}

TEST(FindDown, WalksThroughMatchesOneByOneThenEnds) {
    const std::string text = "abc abc";
    auto first = findInText(text, "abc", at(0), FindDirection::Down);
    ASSERT_EQ(matchStart(first), 0);
    EXPECT_EQ(first.match->length.value, 3);
    auto second = findInText(text, "abc", *first.match, FindDirection::Down);
    ASSERT_EQ(matchStart(second), 4);
    EXPECT_FALSE(findInText(text, "abc", *second.match, FindDirection::Down).match);
}

TEST(FindUp, NeverFindsOverlappingMatches) {
    const std::string text = "aaaa";
    auto first = findInText(text, "aa", at(4), FindDirection::Up);
    ASSERT_EQ(matchStart(first), 2);
    auto second = findInText(text, "aa", *first.match, FindDirection::Up);
    ASSERT_EQ(matchStart(second), 0);
    auto third = findInText(text, "aa", *second.match, FindDirection::Up);
    EXPECT_FALSE(third.match);
    EXPECT_EQ(third.caret.value, 0);
}

// A needle cut inside a character (its last byte a lead byte): a match ends
// inside a character, and the search goes on from the next character.
TEST(FindUp, NeedleEndingInALeadByteNeverMatchesOnATrailByte) {
    const std::string needle = "\x83";
    // ャ is 0x83 0x83: its trail byte is the needle too.
    ASSERT_EQ(sj("ャ"), needle + needle);
    const std::string text = sj("ャャA");
    EXPECT_EQ(matchStart(findInText(text, needle, at(5), FindDirection::Up)), 2);
    // Each character's lead byte is 0x83.
    const std::string level = sj("レベル");
    EXPECT_EQ(matchStart(findInText(level, needle, at(4), FindDirection::Up)), 2);
}

TEST(FindUp, FromTheStartEndsWithTheCaretAtZero) {
    const auto outcome = findInText("abc", "abc", at(0), FindDirection::Up);
    EXPECT_FALSE(outcome.match);
    EXPECT_EQ(outcome.caret.value, 0);
}

TEST(Find, CaseAlwaysMatters) {
    EXPECT_FALSE(findInText("abc", "ABC", at(0), FindDirection::Down).match);
    EXPECT_FALSE(findInText("abc", "ABC", at(3), FindDirection::Up).match);
}

TEST(Find, NeverMatchesOnTheTrailByteOfJapaneseText) {
    // 表's trail byte looks like '\'.
    const std::string text = sj("表a\\");
    ASSERT_EQ(text[1], '\\');
    EXPECT_EQ(matchStart(findInText(text, "\\", at(0), FindDirection::Down)), 3);
    EXPECT_EQ(matchStart(findInText(text, "\\", at(4), FindDirection::Up)), 3);
    EXPECT_FALSE(findInText(text, "\\", at(3), FindDirection::Up).match);
}

TEST(Find, MatchesSpanALineBreak) {
    const std::string text = "one\r\ntwo";
    EXPECT_EQ(matchStart(findInText(text, "e\r\nt", at(0), FindDirection::Down)), 2);
}

TEST(FindUp, StepsOverALineBreakWhenTheCaretWouldLandInsideIt) {
    // Selection starts at 5 ("t"); 4 lies between CR and LF, so the caret goes to 3.
    const std::string text = "abc\r\nt";
    const auto outcome = findInText(text, "c", at(5), FindDirection::Up);
    EXPECT_EQ(matchStart(outcome), 2);
    const auto none = findInText(text, "zz", at(5), FindDirection::Up);
    EXPECT_EQ(none.caret.value, 3);
}

TEST(FindDown, TextAppendedBetweenPressesIsSearched) {
    std::string text = "abc";
    auto first = findInText(text, "abc", at(0), FindDirection::Down);
    ASSERT_TRUE(first.match);
    EXPECT_FALSE(findInText(text, "abc", *first.match, FindDirection::Down).match);
    text += "\r\nabc";
    EXPECT_EQ(matchStart(findInText(text, "abc", *first.match, FindDirection::Down)), 5);
}

}  // namespace
