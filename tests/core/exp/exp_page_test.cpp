#include <gtest/gtest.h>

#include <algorithm>

#include "core/exp/basic_page_layout.h"
#include "core/exp/exp_texts.h"
#include "support/exp_fakes.h"

namespace {

using namespace ruv;
using ruv::testing::sj;
using C = BasicPageControl;

ControlPlacement find(const BasicPageLayout& layout, C control) {
    const auto it = std::find_if(layout.begin(), layout.end(),
                                 [&](const ControlPlacement& p) { return p.control == control; });
    EXPECT_NE(it, layout.end());
    return *it;
}

void expectAt(const BasicPageLayout& layout, C control, bool shown, int left, int top) {
    const ControlPlacement p = find(layout, control);
    EXPECT_EQ(p.shown, shown) << static_cast<int>(control);
    EXPECT_EQ(p.left, left) << static_cast<int>(control);
    EXPECT_EQ(p.top, top) << static_cast<int>(control);
}

TEST(BasicPageLayout, Layout01HidesTheDayFigures) {
    const BasicPageLayout l = basicPageLayout(ExpLayout::Layout01, {"0", "0", "0"});
    expectAt(l, C::LabeledEdit09, true, 0, 16);
    expectAt(l, C::LabeledEdit05, true, 192, 56);
    expectAt(l, C::TimeH01, true, 112, 80);
    expectAt(l, C::Label07, true, 216, 80);
    expectAt(l, C::TimeLabel01, false, 248, 80);
    expectAt(l, C::Label02, true, 128, 96);
    expectAt(l, C::TimeInLabel01, true, 288, 88);
    EXPECT_FALSE(find(l, C::LabeledEdit01).shown);
    EXPECT_FALSE(find(l, C::LabeledEdit06).shown);
    EXPECT_FALSE(find(l, C::LabeledEdit02).shown);
}

TEST(BasicPageLayout, Layout02ShowsTheDayFiguresOnTop) {
    const BasicPageLayout l = basicPageLayout(ExpLayout::Layout02, {"0", "0", "0"});
    expectAt(l, C::LabeledEdit01, true, 0, 16);
    expectAt(l, C::LabeledEdit06, true, 96, 16);
    expectAt(l, C::LabeledEdit02, true, 192, 16);
    expectAt(l, C::LabeledEdit09, true, 0, 56);
    expectAt(l, C::LabeledEdit03, true, 0, 96);
    expectAt(l, C::Label03, true, 8, 120);
    expectAt(l, C::TimeS01, true, 192, 120);
    expectAt(l, C::Label01, true, 8, 136);
    expectAt(l, C::TimeInLabel01, true, 288, 88);
}

TEST(BasicPageLayout, LongElapsedNumbersMoveSixPixelsLeft) {
    const BasicPageLayout l = basicPageLayout(ExpLayout::Layout02, {"12", "5", "07"});
    EXPECT_EQ(find(l, C::TimeH01).left, 106);
    EXPECT_EQ(find(l, C::TimeM01).left, 160);
    EXPECT_EQ(find(l, C::TimeS01).left, 186);
    EXPECT_EQ(find(l, C::Label04).left, 120);
}

TEST(BasicPageLayout, IndexesNameTheTwoLayouts) {
    EXPECT_EQ(expLayoutFromIndex(0), ExpLayout::Layout01);
    EXPECT_EQ(expLayoutFromIndex(1), ExpLayout::Layout02);
    EXPECT_FALSE(expLayoutFromIndex(2).has_value());
    EXPECT_FALSE(expLayoutFromIndex(-1).has_value());
    EXPECT_EQ(indexOf(ExpLayout::Layout02), 1);
}

TEST(ExpTexts, MemoHasItsTwentyTwoLines) {
    const auto& memo = exp_texts::kManualMemo;
    EXPECT_EQ(std::count(memo.begin(), memo.end(), std::string_view{}), 4);
    for (const std::size_t empty : {6u, 9u, 16u, 19u}) {
        EXPECT_EQ(memo[empty], "") << empty;
    }
    EXPECT_EQ(memo[0], sj("※：ただのネタシステムです。"));
    EXPECT_EQ(memo[7], sj("＜簡易説明書＞"));
    EXPECT_EQ(memo[13], sj("単体狩りなら 1% ～ 10%、範囲狩りなら1% ～ -10.00%くらいかな？"));
    EXPECT_EQ(memo[21], sj("予想時間が恐ろしい事になります。"));
}

TEST(ExpTexts, CaptionsAreTheWindowsOwn) {
    EXPECT_EQ(exp_texts::kHourlyRateCaption, sj("時給（経過÷EXP)"));
    EXPECT_EQ(exp_texts::kInterval1Caption, sj(" 1秒"));
    EXPECT_EQ(exp_texts::kCorrectionCaption, sj("補正値（％）"));
    EXPECT_EQ(exp_texts::kSyncingNotice, sj("更新時間の同期中..."));
}

}  // namespace
