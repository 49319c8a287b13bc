#include "core/text/sjis.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

#include "core/text/cp932.h"

namespace {

namespace sj = ruv::sjis;
using sj::npos;

// 表 is 0x95 0x5C and ソ is 0x83 0x5C: their trail byte is '\'.
const std::string kHyou = "\x95\x5C";
const std::string kSo = "\x83\x5C";
// 怖 is 0x95 0x7C: its trail byte is '|'.
const std::string kKowai = "\x95\x7C";

TEST(SjisFind, NeverStartsAMatchOnATrailByte) {
    EXPECT_EQ(sj::find(kHyou, "\\"), npos);
    EXPECT_EQ(sj::find(kSo + "\\", "\\"), 2u);
    EXPECT_EQ(sj::find(kKowai + "a|", "|"), 3u);
    EXPECT_EQ(sj::find("a" + kHyou + "\\x", "\\x"), 3u);
}

TEST(SjisFind, EmptyNeedleNeverMatches) {
    EXPECT_EQ(sj::find("abc", ""), npos);
    EXPECT_EQ(sj::find("", ""), npos);
}

TEST(SjisFind, FindsDoubleByteNeedlesAndRespectsFrom) {
    const std::string text = "x" + kHyou + "y" + kHyou;
    EXPECT_EQ(sj::find(text, kHyou), 1u);
    EXPECT_EQ(sj::find(text, kHyou, 3), 4u);
    EXPECT_EQ(sj::find(text, kHyou, 6), npos);
}

TEST(SjisFind, TrailByteFollowedByLeadLooksLikeNeedle) {
    // 0x95 0x5C 0x95 0x5C: the needle "\x5C\x95" sits across two characters.
    EXPECT_EQ(sj::find(kHyou + kHyou, "\x5C\x95"), npos);
}

TEST(SjisReplaceAll, ReplacesCharacterWise) {
    EXPECT_EQ(ruv::sjis::replaceAll("a&nbspb&nbsp", "&nbsp", ""), "ab");
    EXPECT_EQ(ruv::sjis::replaceAll(kHyou + "\\", "\\", "/"), kHyou + "/");
    EXPECT_EQ(ruv::sjis::replaceAll("abc", "", "x"), "abc");
}

TEST(SjisRfind, FindsLastBoundaryMatch) {
    const std::string text = "\\" + kHyou + "\\";
    EXPECT_EQ(ruv::sjis::rfind(text, "\\"), 3u);
    EXPECT_EQ(ruv::sjis::rfind(text, "\\", 2), 0u);
}

TEST(SjisLeadByte, RangesOfDoubleByteLeads) {
    for (const int lead : {0x81, 0x9F, 0xE0, 0xFC}) {
        EXPECT_TRUE(sj::isLeadByte(static_cast<unsigned char>(lead))) << lead;
    }
    for (const int other : {0x00, 0x5C, 0x7F, 0x80, 0xA0, 0xA1, 0xDF, 0xFD, 0xFF}) {
        EXPECT_FALSE(sj::isLeadByte(static_cast<unsigned char>(other))) << other;
    }
    EXPECT_TRUE(sj::isLeadByte('\x95'));
}

TEST(SjisFind, HalfWidthKatakanaIsASingleByteCharacter) {
    // 0xB1 (ｱ) is not a lead byte, so the '\\' after it is a character of its own.
    EXPECT_EQ(sj::find("\xB1\\", "\\"), 1u);
}

TEST(SjisFind, StopsSafelyAtTheEndOfText) {
    EXPECT_EQ(sj::find("a\x81", "\x81"), 1u);  // a truncated lead byte at the end
    EXPECT_EQ(sj::find("abc", "c", 3), npos);
    EXPECT_EQ(sj::find("abc", "c", 10), npos);
    EXPECT_EQ(sj::find("ab", "abc"), npos);
}

TEST(SjisReplaceAll, DoesNotRescanTheReplacementAndHandlesNeighbours) {
    EXPECT_EQ(sj::replaceAll("aaa", "a", "aa"), "aaaaaa");
    EXPECT_EQ(sj::replaceAll("xx", "x", ""), "");
    EXPECT_EQ(sj::replaceAll(kSo + kHyou + "|" + kKowai, "|", "/"), kSo + kHyou + "/" + kKowai);
}

TEST(SjisReplaceAll, NeedleEndingInALeadByteNeverReplacesATrailByte) {
    // Two characters 0x8383: only their lead bytes are replaced.
    EXPECT_EQ(sj::replaceAll("\x83\x83\x83\x83", "\x83", "x"), "x\x83x\x83");
}

TEST(SjisRfind, SkipsMatchesOnTrailBytesAndHonoursBefore) {
    const std::string text = "|" + kKowai + "|" + kKowai;
    EXPECT_EQ(sj::rfind(text, "|"), 3u);
    EXPECT_EQ(sj::rfind(text, "|", 3), 3u);
    EXPECT_EQ(sj::rfind(text, "|", 2), 0u);
    EXPECT_EQ(sj::rfind(kKowai, "|"), npos);
    EXPECT_EQ(sj::rfind("abc", ""), npos);
}

// The accessible text of the views counts positions without decoding: the count
// must agree with the converter on any bytes, broken ones included.
TEST(SjisUtf16Length, AgreesWithTheConverterOnAnyBytes) {
    std::mt19937 random(19);
    // Lead bytes, trail-only bytes, bytes that are neither, ASCII, half-width kana.
    const std::string alphabet =
        "\x81\x95\xe0\xfc\x40\x5c\x7e\x80\xa0\xfd\x0d\x20"
        "aZ\xb1\xdf";
    for (int round = 0; round < 500; ++round) {
        std::string bytes(random() % 24, '\0');
        for (char& byte : bytes) {
            byte = alphabet[random() % alphabet.size()];
        }
        const std::size_t units = ruv::cp932::toUtf16(bytes).size();
        ASSERT_EQ(sj::utf16Length(bytes), units) << round;
        for (std::size_t want = 0; want <= units + 1; ++want) {
            const std::size_t prefix = sj::prefixForUtf16Length(bytes, want);
            ASSERT_EQ(ruv::cp932::toUtf16(std::string_view(bytes).substr(0, prefix)).size(),
                      std::min(want, units))
                << round << " " << want;
        }
    }
}

// Every match find reports, and only those: against a plain walk over the
// characters, on text full of lead bytes, trail bytes that look like leads,
// and needles that begin or end inside a character.
TEST(SjisFind, AgreesWithAWalkOverTheCharacters) {
    std::mt19937 random(7);
    const std::string alphabet = "\x88\x9f\x95\x5c<a";
    const auto walk = [](std::string_view text, std::string_view needle, std::size_t from) {
        for (std::size_t pos = from; pos + needle.size() <= text.size();
             pos += sj::isLeadByte(text[pos]) ? 2 : 1) {
            if (text.substr(pos, needle.size()) == needle) {
                return pos;
            }
        }
        return npos;
    };
    for (int round = 0; round < 2000; ++round) {
        std::string text(random() % 40, '\0');
        for (char& byte : text) {
            byte = alphabet[random() % alphabet.size()];
        }
        std::string needle(1 + random() % 3, '\0');
        for (char& byte : needle) {
            byte = alphabet[random() % alphabet.size()];
        }
        for (std::size_t from = 0; from <= text.size();
             from += sj::isLeadByte(text[from]) ? 2 : 1) {
            ASSERT_EQ(sj::find(text, needle, from), walk(text, needle, from))
                << round << " from " << from;
        }
    }
}

}  // namespace
