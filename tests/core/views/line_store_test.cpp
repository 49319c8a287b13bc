#include "core/views/line_store.h"

#include <gtest/gtest.h>

#include <string>

#include "support/cp932_text.h"

namespace {

using ruv::ByteOffset;
using ruv::Colour;
using ruv::LineCount;
using ruv::LineStore;
using ruv::testing::sj;

// Five double-byte characters.
const std::string kKonnichiwa = sj("こんにちは");
// Its trail byte is '\'.
const std::string kHyou = sj("表");

TEST(LineStore, KeepsLinesAndColoursAndJoinsThemWithCrLf) {
    LineStore store;
    store.append(kKonnichiwa, Colour{0x112233});
    store.append("abc", Colour{0xff0000});
    store.append("", Colour{0x00ff00});
    ASSERT_EQ(store.size(), 3u);
    EXPECT_EQ(store.line(0), kKonnichiwa);
    EXPECT_EQ(store.line(1), "abc");
    EXPECT_EQ(store.line(2), "");
    EXPECT_EQ(store.colour(0), Colour{0x112233});
    EXPECT_EQ(store.colour(2), Colour{0x00ff00});
    EXPECT_EQ(store.text(), kKonnichiwa + "\r\nabc\r\n");
    EXPECT_EQ(store.textLength(), ByteOffset{17});
    EXPECT_EQ(store.lineStart(1), ByteOffset{12});
    EXPECT_EQ(store.lineStart(2), ByteOffset{17});
    EXPECT_EQ(store.widestLineBytes(), 10u);
}

TEST(LineStore, SplitsAppendedTextAtEveryKindOfLineBreak) {
    LineStore store;
    store.append("a\r\nb\nc\rd\r\n", Colour{1});
    ASSERT_EQ(store.size(), 4u);
    EXPECT_EQ(store.text(), "a\r\nb\r\nc\r\nd");
    EXPECT_EQ(store.colour(3), Colour{1});
}

TEST(LineStore, MapsOffsetsToLinesCountingLineBreaksAsTwoBytes) {
    LineStore store;
    store.append("ab", Colour{});
    store.append("cde", Colour{});
    store.append("f", Colour{});
    EXPECT_EQ(store.lineAt(ByteOffset{0}), 0u);
    EXPECT_EQ(store.lineAt(ByteOffset{2}), 0u);  // on the CR
    EXPECT_EQ(store.lineAt(ByteOffset{3}), 0u);  // on the LF
    EXPECT_EQ(store.lineAt(ByteOffset{4}), 1u);
    EXPECT_EQ(store.lineAt(ByteOffset{9}), 2u);
    EXPECT_EQ(store.lineAt(ByteOffset{50}), 2u);
}

TEST(LineStore, CutsRangesOfTheWholeTextIncludingPartsOfLineBreaks) {
    LineStore store;
    store.append("ab", Colour{});
    store.append("cde", Colour{});
    store.append("f", Colour{});
    EXPECT_EQ(store.text(ByteOffset{1}, ByteOffset{5}), "b\r\ncd");
    EXPECT_EQ(store.text(ByteOffset{3}, ByteOffset{2}), "\nc");
    EXPECT_EQ(store.text(ByteOffset{2}, ByteOffset{1}), "\r");
    EXPECT_EQ(store.text(ByteOffset{7}, ByteOffset{100}), "\r\nf");
    EXPECT_EQ(store.text(ByteOffset{20}, ByteOffset{5}), "");
    EXPECT_EQ(store.text(ByteOffset{-3}, ByteOffset{4}), "a");
}

TEST(LineStore, CaretPositionsNeverSplitACharacterOrALineBreak) {
    LineStore store;
    ASSERT_EQ(kHyou.back(), '\\');
    store.append(kHyou + "a", Colour{});
    store.append(kKonnichiwa, Colour{});
    EXPECT_EQ(store.caretPositionAtOrBefore(ByteOffset{1}), ByteOffset{0});
    EXPECT_EQ(store.caretPositionAtOrBefore(ByteOffset{2}), ByteOffset{2});
    EXPECT_EQ(store.caretPositionAtOrBefore(ByteOffset{3}), ByteOffset{3});
    EXPECT_EQ(store.caretPositionAtOrBefore(ByteOffset{4}), ByteOffset{3});  // inside CR LF
    EXPECT_EQ(store.caretPositionAtOrBefore(ByteOffset{5}), ByteOffset{5});
    EXPECT_EQ(store.caretPositionAtOrBefore(ByteOffset{8}), ByteOffset{7});
    EXPECT_EQ(store.caretPositionAtOrBefore(ByteOffset{99}), ByteOffset{15});
    EXPECT_EQ(store.caretPositionAtOrBefore(ByteOffset{-1}), ByteOffset{0});
}

TEST(LineStore, DropsTheOldestTenthWhenFullAndCountsWhatItDropped) {
    LineStore store(LineCount{100});
    for (int i = 0; i < 100; ++i) {
        store.append("line " + std::to_string(i), Colour{static_cast<std::uint32_t>(i)});
    }
    EXPECT_EQ(store.size(), 100u);
    EXPECT_EQ(store.droppedLines(), 0);
    const ByteOffset tenthLineStart = store.lineStart(10);

    store.append("line 100", Colour{100});
    ASSERT_EQ(store.size(), 91u);
    EXPECT_EQ(store.line(0), "line 10");
    EXPECT_EQ(store.colour(0), Colour{10});
    EXPECT_EQ(store.line(90), "line 100");
    EXPECT_EQ(store.droppedLines(), 10);
    EXPECT_EQ(store.droppedBytes(), tenthLineStart.value);
    EXPECT_EQ(store.text().substr(0, 9), "line 10\r\n");

    for (int i = 101; i < 1000; ++i) {
        store.append("line " + std::to_string(i), Colour{});
        ASSERT_LE(store.size(), 100u);
    }
    EXPECT_EQ(store.line(store.size() - 1), "line 999");
    EXPECT_EQ(store.droppedLines() + static_cast<std::int64_t>(store.size()), 1000);
}

TEST(LineStore, LoweringTheCapacityDropsAtOnceAndClearForgetsEverything) {
    LineStore store;
    for (int i = 0; i < 50; ++i) {
        store.append(std::to_string(i), Colour{});
    }
    store.setCapacity(LineCount{20});
    ASSERT_EQ(store.size(), 20u);
    EXPECT_EQ(store.line(0), "30");
    EXPECT_EQ(store.droppedLines(), 30);

    store.clear();
    EXPECT_TRUE(store.empty());
    EXPECT_EQ(store.text(), "");
    EXPECT_EQ(store.textLength(), ByteOffset{0});
    EXPECT_EQ(store.droppedLines(), 0);
    EXPECT_EQ(store.droppedBytes(), 0);
    EXPECT_EQ(store.widestLineBytes(), 0u);
    EXPECT_EQ(store.capacity(), LineCount{20});
}

TEST(LineStore, CapacityOfOneKeepsOnlyTheLastLine) {
    LineStore store(LineCount{0});
    store.append("a", Colour{});
    store.append("b", Colour{});
    ASSERT_EQ(store.size(), 1u);
    EXPECT_EQ(store.text(), "b");
    EXPECT_EQ(store.droppedBytes(), 3);
}

}  // namespace
