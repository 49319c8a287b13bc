#include "loggen/log_generator.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "core/text/sjis.h"
#include "support/cp932_text.h"

namespace {

using ruv::ChatChannel;
using ruv::ChatLine;
using ruv::loggen::GeneratedLine;
using ruv::loggen::LogGenerator;
using ruv::loggen::TagBlockForm;
using ruv::testing::sj;

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t lf = text.find('\n'); lf != std::string::npos; lf = text.find('\n', start)) {
        lines.push_back(text.substr(start, lf - start));
        start = lf + 1;
    }
    EXPECT_EQ(start, text.size()) << "the log ends with a line feed";
    return lines;
}

TEST(LogGenerator, HeaderBlockHasTheFixedLineWidths) {
    const LogGenerator generator(3, {2024, 12, 31});
    const std::vector<std::string> lines = splitLines(generator.header());
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], ruv::markers::kHeaderBody);
    EXPECT_EQ(lines[1], ruv::markers::kHeaderTitle);
    EXPECT_TRUE(lines[2].starts_with(ruv::markers::kHeaderDatePrefix));
    EXPECT_NE(lines[2].find("2024/12/31"), std::string::npos);
    EXPECT_EQ(lines[2].size() + 1, ruv::markers::kHeaderDateLineBytes);
    EXPECT_EQ(lines[3], ruv::markers::kHeaderFace);
    for (const std::string& line : lines) {
        EXPECT_FALSE(ruv::ownMarker(line).has_value());
    }
}

TEST(LogGenerator, EveryLineFollowsTheFixedLayoutAndRoutesAsItClaims) {
    LogGenerator generator(11);
    std::vector<GeneratedLine> generated;
    const std::string log = generator.generate(400'000, generated);
    const std::vector<std::string> lines = splitLines(log);
    ASSERT_EQ(lines.size(), generated.size() + 4);

    std::set<std::pair<std::uint32_t, TagBlockForm>> colourForms;
    std::int64_t gainSum = 0;
    int entities = 0, trailBackslash = 0, trailBar = 0, blankBodyGains = 0;
    const std::string hyou = sj("表"), po = sj("ポ");
    ASSERT_EQ(hyou.back(), '\\');
    ASSERT_EQ(po.back(), '|');
    for (std::size_t i = 0; i < generated.size(); ++i) {
        const GeneratedLine& g = generated[i];
        SCOPED_TRACE(i);
        ASSERT_EQ(lines[i + 4], g.bytes);
        EXPECT_EQ(g.bytes.find_first_of(std::string("\r\n\0", 3)), std::string::npos);
        const ChatLine line = ChatLine::fromLogLine(g.bytes);
        EXPECT_TRUE(line.raw.starts_with(ruv::markers::kLine));
        EXPECT_TRUE(line.raw.ends_with(ruv::markers::kLineClose));
        EXPECT_EQ(line.raw.substr(47, 39), ruv::loggen::tagBlock(g.colour, g.form));
        EXPECT_EQ(line.display.substr(0, 17), line.raw.substr(30, 17));
        EXPECT_EQ(line.channel, g.channel);
        if (g.channel) {
            EXPECT_EQ(line.colour, g.colour);
        }
        EXPECT_EQ(g.hasEntity, line.raw != g.bytes);
        EXPECT_EQ(ruv::isExpGain(line.raw), g.gain != 0);
        if (g.gain != 0) {
            EXPECT_EQ(ruv::gainAmount(line.raw), g.gain);
            blankBodyGains += line.body.starts_with(' ') ? 1 : 0;
        }
        EXPECT_EQ(g.levelUp, ruv::isLevelUp(line.raw) && g.channel == ChatChannel::Battle);
        colourForms.insert({g.colour.rgb, g.form});
        gainSum += g.gain;
        entities += g.hasEntity ? 1 : 0;
        trailBackslash += ruv::sjis::contains(line.body, hyou) ? 1 : 0;
        trailBar += ruv::sjis::contains(line.body, po) ? 1 : 0;
    }
    // Nine colours in the blank-before form, and the blank-after form of Open
    // and of at least a few other colours.
    EXPECT_GE(colourForms.size(), 14u);
    EXPECT_TRUE(colourForms.count({0xc8ffc8, TagBlockForm::BlankAfter}));
    EXPECT_TRUE(colourForms.count({0xffffff, TagBlockForm::BlankAfter}));
    EXPECT_GT(entities, 0);
    EXPECT_GT(trailBackslash, 0);
    EXPECT_GT(trailBar, 0);
    EXPECT_GT(blankBodyGains, 0);
    EXPECT_EQ(generator.totals().lines, static_cast<std::int64_t>(generated.size()));
    EXPECT_EQ(generator.totals().gainSum, gainSum);
    EXPECT_GT(generator.totals().levelUps, 0);
}

TEST(LogGenerator, SameSeedGivesTheSameLog) {
    LogGenerator a(42), b(42), c(43);
    EXPECT_EQ(a.generate(50'000), b.generate(50'000));
    EXPECT_NE(LogGenerator(42).generate(50'000), c.generate(50'000));
}

TEST(LogGenerator, ParsesOnlyWellFormedDates) {
    const auto date = ruv::loggen::parseLogDate("2023-01-09");
    ASSERT_TRUE(date.has_value());
    EXPECT_EQ(date->year, 2023);
    EXPECT_EQ(date->month, 1);
    EXPECT_EQ(date->day, 9);
    EXPECT_FALSE(ruv::loggen::parseLogDate("2023-13-09").has_value());
    EXPECT_FALSE(ruv::loggen::parseLogDate("2023/01/09").has_value());
    EXPECT_FALSE(ruv::loggen::parseLogDate("2023-1-9").has_value());
}

}  // namespace
