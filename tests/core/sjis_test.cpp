#include "core/text/sjis.h"

#include <gtest/gtest.h>

#include <string>

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

}  // namespace
