#include "core/exp/chart_texts.h"

#include <gtest/gtest.h>

#include <limits>

#include "core/text/cp932.h"

namespace ruv::testing {
namespace {

TEST(ChartTexts, FiguresAreGroupedByThousandsInEveryText) {
    struct Case {
        std::int64_t value;
        const char* grouped;
    };
    const Case cases[] = {
        {0, "0"},
        {999, "999"},
        {1000, "1,000"},
        {3496956, "3,496,956"},
        {-1234567, "-1,234,567"},
        {std::numeric_limits<std::int64_t>::max(), "9,223,372,036,854,775,807"},
        {std::numeric_limits<std::int64_t>::min(), "-9,223,372,036,854,775,808"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(groupedFigure(c.value), c.grouped);
    }
    EXPECT_EQ(cp932::toUtf8(hourTip(18, 3496956)), "18時台: 3,496,956 EXP");
}

TEST(ChartTexts, ALevelUpTipGivesItsTimeAndTheLevelWhenKnown) {
    struct Case {
        TimeOfDay time;
        std::optional<int> level;
        const char* tip;
    };
    const Case cases[] = {
        {{14, 5}, 31, "14:05 レベルアップ → Lv 31"},
        {{0, 0}, 1, "0:00 レベルアップ → Lv 1"},
        {{23, 59}, std::nullopt, "23:59 レベルアップ"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(cp932::toUtf8(levelUpTip(c.time, c.level)), c.tip);
    }
}

}  // namespace
}  // namespace ruv::testing
