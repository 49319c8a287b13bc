#include "core/views/line_utf16_index.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/text/cp932.h"
#include "support/cp932_text.h"

namespace {

using ruv::ByteOffset;
using ruv::Colour;
using ruv::LineCount;
using ruv::LineStore;
using ruv::LineUtf16Index;
using ruv::testing::sj;

// The store's text decoded with "\n" between lines: what a screen reader reads.
std::u16string decodedText(const LineStore& store) {
    std::u16string text;
    for (std::size_t line = 0; line < store.size(); ++line) {
        text += (line > 0 ? u"\n" : u"") + ruv::cp932::toUtf16(store.line(line));
    }
    return text;
}

// Every line's start and length against the decoded text.
void expectLinesMatchDecodedText(const LineStore& store, const LineUtf16Index& index) {
    const std::u16string text = decodedText(store);
    ASSERT_EQ(index.length(), static_cast<std::int64_t>(text.size()));
    std::int64_t start = 0;
    for (std::size_t line = 0; line < store.size(); ++line) {
        const auto units = static_cast<std::int64_t>(ruv::cp932::toUtf16(store.line(line)).size());
        ASSERT_EQ(index.lineStart(line), start) << line;
        ASSERT_EQ(index.lineLength(line), units) << line;
        ASSERT_EQ(index.lineAt(start + units), line) << "the line break belongs to its line";
        start += units + 1;
    }
}

TEST(LineUtf16Index, PositionsAreTheDecodedTextsWithOneUnitPerLineBreak) {
    LineStore store;
    store.append("abc", Colour{});
    store.append(sj("あ表"), Colour{});  // two double-byte characters
    store.append("", Colour{});
    store.append("\x81\x20x\xb1", Colour{});  // a broken lead byte, then ASCII and ｱ
    LineUtf16Index index;
    index.sync(store);
    expectLinesMatchDecodedText(store, index);
    EXPECT_EQ(index.lineAt(index.length() + 5), 3u);

    // Every byte offset maps to the length of the decoded text before it.
    for (std::int64_t offset = 0; offset <= store.textLength().value; ++offset) {
        const ByteOffset at = store.caretPositionAtOrBefore(ByteOffset{offset});
        std::string before = store.text(ByteOffset{0}, at);
        for (std::size_t pos = before.find("\r\n"); pos != std::string::npos;
             pos = before.find("\r\n", pos)) {
            before.replace(pos, 2, "\n");
        }
        ASSERT_EQ(index.positionOf(store, at),
                  static_cast<std::int64_t>(ruv::cp932::toUtf16(before).size()))
            << offset;
    }
    // And back: each position to the character it names.
    EXPECT_EQ(index.offsetOf(store, 5), ByteOffset{7});   // 表, after "abc\r\n" and あ
    EXPECT_EQ(index.offsetOf(store, 6), ByteOffset{9});   // the end of the second line
    EXPECT_EQ(index.offsetOf(store, 9), ByteOffset{14});  // the space after the broken lead
    EXPECT_EQ(index.offsetOf(store, 99), store.textLength());
}

TEST(LineUtf16Index, KeepsUpWithAppendsDropsAndClearsAsAFreshIndexWould) {
    LineStore store(LineCount{20});
    LineUtf16Index index;
    int next = 0;
    const auto appendLines = [&](int count) {
        for (int i = 0; i < count; ++i, ++next) {
            store.append(std::string(static_cast<std::size_t>(next % 7), 'a') + sj("あ"), Colour{});
        }
    };
    // Grow, grow past the capacity (the oldest lines go), clear, grow again.
    for (const int step : {5, 12, 9, 30, -1, 3, 25}) {
        if (step < 0) {
            store.clear();
        } else {
            appendLines(step);
        }
        index.sync(store);
        expectLinesMatchDecodedText(store, index);
    }
    EXPECT_GT(store.droppedLines(), 0);
}

}  // namespace
