// Gains of any size, as a damaged or crafted log can hold, reach the EXP
// figures, the hourly chart and the sort listing through one overflow rule.

#include <gtest/gtest.h>

#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "core/exp/exp_session.h"
#include "core/log/past_log_sort.h"
#include "core/log/sort_listing.h"
#include "loggen/log_generator.h"
#include "support/cp932_text.h"
#include "support/exp_fakes.h"

namespace ruv {
namespace {

struct TidiedIntoExp final : PastLogSink {
    explicit TidiedIntoExp(ExpSession& exp) : exp_(exp) {}
    void append(ChatChannel, std::string_view, Colour) override {}
    void addDayGain(std::int64_t amount, std::string_view stamp) override {
        exp_.AddDayGain(amount, stamp);
    }
    void unreadableGain(std::string_view) override { ADD_FAILURE() << "gain not read"; }

  private:
    ExpSession& exp_;
};

struct NoNotices final : ExpNotices {
    void figuresChanged(ExpRefresh) override {}
};

TEST(ExpSums, SaturateAlikeInTheFiguresTheChartAndTheSortListing) {
    constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
    constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
    struct Case {
        std::vector<std::int64_t> gains;
        std::int64_t sum;
    };
    const Case cases[] = {
        {{1234, 66}, 1300},
        {{kMax, kMax}, kMax},
        {{kMax, 1, -1}, kMax - 1},
        {{-kMax, -kMax}, kMin},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.gains));
        loggen::LogGenerator generator{3};
        std::string log = generator.header();
        for (const std::int64_t gain : c.gains) {
            const std::string body =
                testing::sj("経験値が " + std::to_string(gain) + " 上がりました。");
            log += generator.makeLine(colours::kBattle, loggen::TagBlockForm::BlankBefore, body)
                       .bytes +
                   "\n";
        }

        std::ostringstream listing;
        std::ostringstream errors;
        EXPECT_EQ(writeSortListing(log, ListingText::Cp932, listing, errors).dayGain, c.sum);

        testing::ExpHarness h;
        NoNotices notices;
        ExpSession exp(ExpPorts{h.clock, h.timer, h.errors, h.questions, h.statusBar}, notices);
        TidiedIntoExp sink(exp);
        PastLogSort(log).runToEnd(sink);
        EXPECT_EQ(exp.stats().view().dayTotal, std::to_string(c.sum));
        EXPECT_EQ(exp.hourly().total(), c.sum);
        std::vector<std::int64_t> bars;  // the lines' one hour
        for (int hour = 0; hour < HourlyExp::kHours; ++hour) {
            if (exp.hourly().expInHour(hour) != 0) {
                bars.push_back(exp.hourly().expInHour(hour));
            }
        }
        EXPECT_EQ(bars, std::vector<std::int64_t>{c.sum});
    }
}

}  // namespace
}  // namespace ruv
