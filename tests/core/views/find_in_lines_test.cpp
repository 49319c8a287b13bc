#include "core/views/find_in_lines.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "support/cp932_text.h"

namespace {

using ruv::ByteOffset;
using ruv::FindDirection;
using ruv::findInLines;
using ruv::findInText;
using ruv::LineStore;
using ruv::TextSelection;
using ruv::testing::sj;

LineStore storeOf(const std::vector<std::string>& lines) {
    LineStore store;
    for (const std::string& line : lines) {
        store.append(line, ruv::Colour{});
    }
    return store;
}

std::int64_t matchStart(const ruv::FindOutcome& outcome) {
    return outcome.match ? outcome.match->start.value : -1;
}

void expectSameOutcome(const LineStore& store, const std::string& needle, TextSelection selection,
                       FindDirection direction) {
    const std::string text = store.text();
    const auto expected = findInText(text, needle, selection, direction);
    const auto actual = findInLines(store, needle, selection, direction);
    SCOPED_TRACE(::testing::Message()
                 << "needle size " << needle.size() << " from " << selection.start.value << "+"
                 << selection.length.value << (direction == FindDirection::Up ? " up" : " down"));
    ASSERT_EQ(actual.match.has_value(), expected.match.has_value());
    if (expected.match) {
        EXPECT_EQ(actual.match->start.value, expected.match->start.value);
        EXPECT_EQ(actual.match->length.value, expected.match->length.value);
    }
    EXPECT_EQ(actual.caret.value, expected.caret.value);
}

TEST(FindInLines, WalksDownAndUpThroughMatchesOnSeveralLines) {
    const LineStore store = storeOf({"abc", "xabc", "", "abcabc"});
    // Text: "abc\r\nxabc\r\n\r\nabcabc"
    std::vector<std::int64_t> down;
    TextSelection at{ByteOffset{0}, ByteOffset{0}};
    for (auto found = findInLines(store, "abc", at, FindDirection::Down); found.match;
         found = findInLines(store, "abc", *found.match, FindDirection::Down)) {
        down.push_back(found.match->start.value);
    }
    EXPECT_EQ(down, (std::vector<std::int64_t>{0, 6, 13, 16}));

    std::vector<std::int64_t> up;
    at = {store.textLength(), ByteOffset{0}};
    for (auto found = findInLines(store, "abc", at, FindDirection::Up); found.match;
         found = findInLines(store, "abc", *found.match, FindDirection::Up)) {
        up.push_back(found.match->start.value);
    }
    EXPECT_EQ(up, (std::vector<std::int64_t>{16, 13, 6, 0}));
}

TEST(FindInLines, NeverMatchesOnATrailByteNorAcrossALineBreak) {
    // 表 ends the first line; "\" alone must not match its trail byte.
    ASSERT_EQ(sj("表").back(), '\\');
    const LineStore store = storeOf({sj("表"), "\\x"});
    EXPECT_EQ(
        matchStart(findInLines(store, "\\", {ByteOffset{0}, ByteOffset{0}}, FindDirection::Down)),
        4);
    // "bc" + "de" only meet across the break, which the needle does not hold.
    const LineStore split = storeOf({"abc", "dex"});
    EXPECT_FALSE(
        findInLines(split, "cd", {ByteOffset{0}, ByteOffset{0}}, FindDirection::Down).match);
    // A needle holding the line break finds the match across it.
    EXPECT_EQ(matchStart(findInLines(split, "c\r\nd", {ByteOffset{0}, ByteOffset{0}},
                                     FindDirection::Down)),
              2);
}

TEST(FindInLines, EmptyStoreAndEmptyNeedleFindNothing) {
    const LineStore empty;
    EXPECT_FALSE(
        findInLines(empty, "a", {ByteOffset{0}, ByteOffset{0}}, FindDirection::Down).match);
    EXPECT_FALSE(findInLines(empty, "a", {ByteOffset{0}, ByteOffset{0}}, FindDirection::Up).match);
    const LineStore store = storeOf({"abc"});
    EXPECT_FALSE(findInLines(store, "", {ByteOffset{0}, ByteOffset{0}}, FindDirection::Down).match);
}

// Every selection over random Japanese-looking text gives what a search over
// the joined text gives.
TEST(FindInLines, AgreesWithASearchOverTheWholeText) {
    std::mt19937 random(12345);
    // Bytes chosen so that lead bytes, trail bytes that look like ASCII and
    // lone lead bytes at a line's end all occur.
    const std::string alphabet = "ab\\\x95\x82\xA0";
    // One needle is あ's lead byte alone.
    const std::vector<std::string> needles = {"a",   "b",      "\\", "ab",   "a\\",  sj("表"),
                                              "\\a", sj("あ"), "aa", "\x82", "\r\n", "b\r\na"};
    for (int round = 0; round < 60; ++round) {
        std::vector<std::string> lines;
        const int lineCount = 1 + static_cast<int>(random() % 6);
        for (int i = 0; i < lineCount; ++i) {
            std::string line;
            const int length = static_cast<int>(random() % 7);
            for (int k = 0; k < length; ++k) {
                line.push_back(alphabet[random() % alphabet.size()]);
            }
            lines.push_back(line);
        }
        const LineStore store = storeOf(lines);
        const std::int64_t length = store.textLength().value;
        for (const std::string& needle : needles) {
            for (std::int64_t start = 0; start <= length + 1; ++start) {
                for (std::int64_t selected : {0, 1, 2}) {
                    const TextSelection selection{ByteOffset{start}, ByteOffset{selected}};
                    expectSameOutcome(store, needle, selection, FindDirection::Down);
                    expectSameOutcome(store, needle, selection, FindDirection::Up);
                    if (::testing::Test::HasFailure()) {
                        return;
                    }
                }
            }
        }
    }
}

TEST(FindInLines, StaysOnTheSameTextWhenOldLinesAreDropped) {
    LineStore store(ruv::LineCount{10});
    for (int i = 0; i < 25; ++i) {
        store.append(i == 23 ? "target" : "line " + std::to_string(i), ruv::Colour{});
    }
    const auto found =
        findInLines(store, "target", {ByteOffset{0}, ByteOffset{0}}, FindDirection::Down);
    ASSERT_TRUE(found.match);
    EXPECT_EQ(store.text(found.match->start, found.match->length), "target");
}

}  // namespace
