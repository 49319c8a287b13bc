#include "core/views/tab_rules.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "core/app/window_options.h"
#include "core/text/cp932.h"
#include "core/views/unread_counters.h"

namespace {

using ruv::Tab;

std::string utf8(std::string_view cp932) {
    return ruv::cp932::toUtf8(cp932);
}

TEST(TabCaptions, PlainCaptionsFollowPageOrder) {
    const char* expected[] = {
        "通常",       "一般",       "チーム",       "クラブ",          "耳打ち",
        "叫び",       "オリジナル", "NGフィルター", "戦闘情報",        "システム",
        "経験値情報", "エラーログ", "デバッグ",     "呼び出し音の設定"};
    for (int i = 0; i < ruv::kTabCount; ++i) {
        EXPECT_EQ(utf8(ruv::plainCaption(*ruv::tabAtIndex(i))), expected[i]) << i;
    }
    EXPECT_FALSE(ruv::tabAtIndex(-1));
    EXPECT_FALSE(ruv::tabAtIndex(ruv::kTabCount));
}

TEST(TabCaptions, CountedCaptionAppendsTheCountInParentheses) {
    EXPECT_EQ(utf8(ruv::countedCaption(Tab::Team, 3)), "チーム(3)");
    EXPECT_EQ(utf8(ruv::countedCaption(Tab::NG, 12)), "NGフィルター(12)");
    EXPECT_EQ(utf8(ruv::countedCaption(Tab::Open, std::numeric_limits<std::int32_t>::max())),
              "一般(2147483647)");
}

TEST(TabRules, OnlyTheSevenChatTabsAfterNormalAndTheErrorLogCountUnreadLines) {
    for (int i = 0; i < ruv::kTabCount; ++i) {
        const bool counted = (i >= 1 && i <= 7) || i == 11;
        EXPECT_EQ(ruv::hasUnreadCounter(*ruv::tabAtIndex(i)), counted) << i;
    }
}

TEST(TabRules, PressOnTheStripResetsOnlyTheCountingTabs) {
    EXPECT_FALSE(ruv::tabResetByPress(0));
    EXPECT_EQ(ruv::tabResetByPress(1), Tab::Open);
    EXPECT_EQ(ruv::tabResetByPress(7), Tab::NG);
    EXPECT_FALSE(ruv::tabResetByPress(8));
    EXPECT_FALSE(ruv::tabResetByPress(10));
    EXPECT_EQ(ruv::tabResetByPress(11), Tab::ErrorLog);
    EXPECT_FALSE(ruv::tabResetByPress(12));
    EXPECT_FALSE(ruv::tabResetByPress(-1));
}

TEST(TabRules, ACountingTabKeepsItsWidthUntilTheCountPassesThreeDigits) {
    struct Case {
        Tab tab;
        std::int32_t count;  // negative: the plain caption
        const char* widest;
    };
    const Case cases[] = {
        {Tab::Open, -1, "一般(000)"},
        {Tab::Open, 7, "一般(000)"},
        {Tab::Team, 999, "チーム(000)"},
        {Tab::Team, 1000, "チーム(0000)"},
        {Tab::NG, 123456, "NGフィルター(000000)"},
        {Tab::ErrorLog, 42, "エラーログ(000)"},
        {Tab::Normal, -1, "通常"},
        {Tab::ExpMonitor, -1, "経験値情報"},
    };
    for (const Case& c : cases) {
        const std::string caption = c.count < 0 ? std::string(ruv::plainCaption(c.tab))
                                                : ruv::countedCaption(c.tab, c.count);
        EXPECT_EQ(utf8(ruv::widthCaption(c.tab, caption)), c.widest) << c.widest;
    }
}

TEST(TabRules, FilterEntriesCoverTheFirstElevenTabsOnly) {
    EXPECT_EQ(ruv::filterEntryTab(1), Tab::Normal);
    EXPECT_EQ(ruv::filterEntryTab(2), Tab::Open);
    EXPECT_EQ(ruv::filterEntryTab(11), Tab::ExpMonitor);
    EXPECT_FALSE(ruv::filterEntryTab(0));
    EXPECT_FALSE(ruv::filterEntryTab(12));
    EXPECT_FALSE(ruv::hasFilterEntry(Tab::ErrorLog));
    EXPECT_FALSE(ruv::hasFilterEntry(Tab::Debug));
}

TEST(TabRules, BattleSystemAndStorageTabsStartHidden) {
    for (int i = 0; i < ruv::kTabCount; ++i) {
        const bool hidden = i == 8 || i == 9 || i == 12 || i == 13;
        EXPECT_EQ(ruv::visibilityAtDesign(*ruv::tabAtIndex(i)) == ruv::TabVisibility::Hidden,
                  hidden)
            << i;
    }
}

TEST(WindowOptions, TransparencyEntriesGiveTheirAlpha) {
    using ruv::Transparency;
    EXPECT_EQ(ruv::alphaFor(Transparency::Default), (ruv::WindowAlpha{false, 255}));
    EXPECT_EQ(ruv::alphaFor(Transparency::Percent10), (ruv::WindowAlpha{true, 230}));
    EXPECT_EQ(ruv::alphaFor(Transparency::Percent20), (ruv::WindowAlpha{true, 204}));
    EXPECT_EQ(ruv::alphaFor(Transparency::Percent30), (ruv::WindowAlpha{true, 179}));
    EXPECT_EQ(ruv::alphaFor(Transparency::Percent40), (ruv::WindowAlpha{true, 153}));
    EXPECT_EQ(ruv::alphaFor(Transparency::Percent50), (ruv::WindowAlpha{true, 128}));
}

}  // namespace
