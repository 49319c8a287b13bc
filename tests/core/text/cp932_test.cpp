#include "core/text/cp932.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace {

namespace cp = ruv::cp932;

std::string bytesOf(std::uint16_t code) {
    std::string out;
    if (code > 0xFF) {
        out.push_back(static_cast<char>(code >> 8));
    }
    out.push_back(static_cast<char>(code & 0xFF));
    return out;
}

TEST(Cp932Ascii, EveryAsciiByteKeepsItsValueBothWays) {
    std::string bytes;
    std::u16string units;
    for (int b = 0; b < 0x80; ++b) {
        bytes.push_back(static_cast<char>(b));
        units.push_back(static_cast<char16_t>(b));
    }
    EXPECT_EQ(cp::toUtf16(bytes), units);
    EXPECT_EQ(cp::toUtf8(bytes), bytes);
    EXPECT_EQ(cp::fromUtf16(units), bytes);
    EXPECT_EQ(cp::fromUtf8(bytes), bytes);
}

TEST(Cp932Ascii, ControlCodesThatIcuSwapsStayPut) {
    EXPECT_EQ(cp::toUtf16("\x1A\x1C\x7F"), u"\u001A\u001C\u007F");
    EXPECT_EQ(cp::fromUtf16(u"\u001A\u001C\u007F"), "\x1A\x1C\x7F");
    // Also where ICU would see them right after a lead byte.
    EXPECT_EQ(cp::toUtf16("\x81\x7F"), u"\uFFFD\u007F");
}

TEST(Cp932Singles, BytesIcuLeavesUnmappedConvertAsWindowsDoes) {
    const std::vector<std::pair<unsigned char, char16_t>> singles{
        {0x80, u'\u0080'}, {0xA0, u'\uF8F0'}, {0xFD, u'\uF8F1'},
        {0xFE, u'\uF8F2'}, {0xFF, u'\uF8F3'},
    };
    for (const auto& [byte, unit] : singles) {
        const std::string bytes(1, static_cast<char>(byte));
        SCOPED_TRACE(static_cast<int>(byte));
        EXPECT_EQ(cp::toUtf16(bytes), std::u16string(1, unit));
        EXPECT_EQ(cp::fromUtf16(std::u16string(1, unit)), bytes);
        EXPECT_EQ(cp::fromUtf8(cp::toUtf8(bytes)), bytes);
    }
}

TEST(Cp932Singles, HalfWidthKatakana) {
    EXPECT_EQ(cp::toUtf16("\xA1\xB1\xDF"), u"\uFF61\uFF71\uFF9F");
    EXPECT_EQ(cp::fromUtf8("ｱｲｳ"), "\xB1\xB2\xB3");
}

TEST(Cp932Pairs, WindowsSpecificCodesBothWays) {
    const std::vector<std::pair<std::uint16_t, char16_t>> pairs{
        {0x815C, u'\u2015'}, {0x815F, u'\uFF3C'}, {0x8160, u'\uFF5E'}, {0x8161, u'\u2225'},
        {0x817C, u'\uFF0D'}, {0x8191, u'\uFFE0'}, {0x8192, u'\uFFE1'}, {0x81CA, u'\uFFE2'},
    };
    for (const auto& [code, unit] : pairs) {
        SCOPED_TRACE(code);
        EXPECT_EQ(cp::toUtf16(bytesOf(code)), std::u16string(1, unit));
        EXPECT_EQ(cp::fromUtf16(std::u16string(1, unit)), bytesOf(code));
    }
}

TEST(Cp932Pairs, NecAndIbmExtensionsEncodeToWindowsChoice) {
    // character, code Windows writes, other codes that read as the character
    struct Case {
        char16_t unit;
        std::uint16_t written;
        std::vector<std::uint16_t> alsoRead;
    };
    const std::vector<Case> cases{
        {u'\u2460', 0x8740, {}},                // ①
        {u'\u2252', 0x81E0, {0x8790}},          // ≒
        {u'\u2235', 0x81E6, {0x879A, 0xFA5B}},  // ∵
        {u'\uFFE2', 0x81CA, {0xEEF9, 0xFA54}},  // ￢
        {u'\u9AD9', 0xFBFC, {0xEEE0}},          // 髙
        {u'\u2160', 0x8754, {0xFA4A}},          // Ⅰ
        {u'\u2170', 0xFA40, {0xEEEF}},          // ⅰ
        {u'\u2116', 0x8782, {0xFA59}},          // №
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.unit));
        EXPECT_EQ(cp::fromUtf16(std::u16string(1, c.unit)), bytesOf(c.written));
        EXPECT_EQ(cp::toUtf16(bytesOf(c.written)), std::u16string(1, c.unit));
        for (const std::uint16_t code : c.alsoRead) {
            EXPECT_EQ(cp::toUtf16(bytesOf(code)), std::u16string(1, c.unit));
        }
    }
}

TEST(Cp932Pairs, UserDefinedAreaMapsToPrivateUse) {
    EXPECT_EQ(cp::toUtf16("\xF0\x40\xF9\xFC"), u"\uE000\uE757");
    EXPECT_EQ(cp::fromUtf16(u"\uE000\uE757"), "\xF0\x40\xF9\xFC");
    EXPECT_EQ(cp::toUtf8("\xF0\x40"), "\xEE\x80\x80");
}

TEST(Cp932Pairs, EveryMappedCodeReadsBackAsItsCharacter) {
    // Whatever code is written for a character must read as that character,
    // and an unduplicated code must be the one written.
    int mapped = 0;
    for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
        if (lead > 0x9F && lead < 0xE0) {
            continue;
        }
        for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
            if (trail == 0x7F) {
                continue;
            }
            const std::string code{static_cast<char>(lead), static_cast<char>(trail)};
            const std::u16string unit = cp::toUtf16(code);
            ASSERT_EQ(unit.size(), 1u);
            if (unit[0] == u'\uFFFD') {
                EXPECT_FALSE(cp::isWellFormed(code));
                continue;
            }
            ++mapped;
            EXPECT_TRUE(cp::isWellFormed(code));
            const auto written = cp::fromUtf16(unit);
            ASSERT_TRUE(written.has_value()) << std::hex << lead << trail;
            EXPECT_EQ(cp::toUtf16(*written), unit) << std::hex << lead << trail;
        }
    }
    // JIS X 0208, NEC row 13, both IBM extension areas and the user-defined area.
    EXPECT_EQ(mapped, 9604);
}

TEST(Cp932Text, JapaneseTextBothWays) {
    // 表示 ソ 日本語 ｱ ①
    const std::string bytes = "\x95\x5C\x8E\xA6 \x83\x5C \x93\xFA\x96\x7B\x8C\xEA \xB1 \x87\x40";
    const std::string utf8 = "表示 ソ 日本語 ｱ ①";
    EXPECT_EQ(cp::toUtf8(bytes), utf8);
    EXPECT_EQ(cp::toUtf16(bytes), u"表示 ソ 日本語 ｱ ①");
    EXPECT_EQ(cp::fromUtf8(utf8), bytes);
    EXPECT_EQ(cp::fromUtf16(u"表示 ソ 日本語 ｱ ①"), bytes);
    EXPECT_EQ(cp::fromUtf8(""), "");
    EXPECT_EQ(cp::toUtf16(""), u"");
}

TEST(Cp932Refusal, CharactersCp932CannotHoldAreRefused) {
    const std::vector<std::u16string> refused{
        u"ok\U0001F600",  // emoji
        u"\U0002000B",    // 𠀋
        u"\uAC00",        // Hangul
        u"\u00A5",        // yen sign: only a best fit for '\'
        u"\u301C",        // JIS wave dash: Windows reads 0x8160 as U+FF5E
        u"\u00A2",        // cent sign: Windows reads 0x8191 as U+FFE0
        u"\uF86F",        // ICU writes this one but nothing reads as it
        u"\uFFFD",
    };
    for (const auto& text : refused) {
        EXPECT_FALSE(cp::fromUtf16(text).has_value()) << static_cast<int>(text.back());
    }
    EXPECT_FALSE(cp::fromUtf8("ok\xF0\x9F\x98\x80").has_value());
    EXPECT_FALSE(cp::fromUtf8("\xF0\xA0\x80\x8B").has_value());
    EXPECT_FALSE(cp::fromUtf8("\xEA\xB0\x80").has_value());
}

TEST(Cp932Refusal, UnpairedSurrogatesAreRefused) {
    EXPECT_FALSE(cp::fromUtf16(std::u16string(1, u'\xD800')).has_value());
    EXPECT_FALSE(cp::fromUtf16(std::u16string{u'a', u'\xDC00'}).has_value());
}

TEST(Cp932Refusal, IllFormedUtf8IsRefused) {
    const std::vector<std::string> illFormed{
        "\xC0\x80",          // overlong NUL
        "\xC1\xBF",          // overlong DEL
        "\xE0\x80\xAF",      // overlong '/'
        "\xF0\x80\x80\xAF",  // overlong '/'
        "\xED\xA0\x80",      // encoded surrogate
        "\xE3\x81",          // truncated あ
        "a\xE3",             // truncated at the end
        "\x80",              // stray continuation byte
        "\xE3\x41\x82",      // continuation byte missing
        "\xF5\x80\x80\x80",  // beyond U+10FFFF
        "\xFF",
    };
    for (const auto& text : illFormed) {
        EXPECT_FALSE(cp::fromUtf8(text).has_value()) << testing::PrintToString(text);
    }
    EXPECT_EQ(cp::fromUtf8("\xE3\x81\x82"), "\x82\xA0");  // あ itself is fine
}

TEST(Cp932Malformed, TruncatedLeadByteBecomesReplacement) {
    EXPECT_EQ(cp::toUtf16("ab\x81"), u"ab\uFFFD");
    EXPECT_EQ(cp::toUtf16("\xE0"), u"\uFFFD");
    EXPECT_EQ(cp::toUtf8("a\x9F"), "a\xEF\xBF\xBD");
    EXPECT_FALSE(cp::isWellFormed("ab\x81"));
}

TEST(Cp932Malformed, LeadWithoutTrailKeepsTheNextByte) {
    EXPECT_EQ(cp::toUtf16("\x81\x20x"), u"\uFFFD x");
    EXPECT_EQ(cp::toUtf16("\x81\x0D\x0A"), u"\uFFFD\r\n");
    EXPECT_EQ(cp::toUtf16("\x81\xFD"), u"\uFFFD\uF8F1");
    EXPECT_FALSE(cp::isWellFormed("\x81\x20"));
}

TEST(Cp932Malformed, UnassignedPairBecomesOneReplacement) {
    EXPECT_EQ(cp::toUtf16("\x85\x40z"), u"\uFFFDz");
    EXPECT_EQ(cp::toUtf16("\xEB\x40"), u"\uFFFD");
    EXPECT_FALSE(cp::isWellFormed("\x85\x40"));
    EXPECT_TRUE(cp::isWellFormed("\x95\x5C\xA0\x80 \xFF"));
}

}  // namespace
