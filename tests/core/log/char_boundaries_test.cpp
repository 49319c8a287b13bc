#include "core/log/char_boundaries.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/text/sjis.h"
#include "loggen/log_generator.h"
#include "support/log_lines.h"

namespace ruv::testing {
namespace {

TEST(CharBoundaries, FindsWhatTheCharacterWiseSearchFinds) {
    loggen::LogGenerator generator(7);
    const std::vector<std::string> needles{"\\",     "|",        "\x5c\x83", "\x83\x5c", "</font>",
                                           sj("表"), sj("ソ"),   " : ",      "\">",      "",
                                           sj("ポ"), "\x7c\x82", "w",        "x"};
    CharBoundaries chars;
    for (int i = 0; i < 2000; ++i) {
        const std::string line = generator.nextLine().bytes;
        chars.reset(line);
        for (const std::string& needle : needles) {
            ASSERT_EQ(chars.find(needle), sjis::find(line, needle)) << line << " / " << needle;
            const std::size_t second = sjis::find(line, needle, 40);
            ASSERT_EQ(chars.find(needle, 40), second) << line << " / " << needle;
        }
    }
}

TEST(CharBoundaries, NeverMatchesOnATrailByteOrWithAnEmptyNeedle) {
    CharBoundaries chars;
    const std::string text = sj("表") + "\\" + sj("ソ");
    chars.reset(text);
    EXPECT_EQ(chars.find("\\"), 2u);
    EXPECT_EQ(chars.find("\\", 3), std::string_view::npos);
    EXPECT_FALSE(chars.contains(""));
}

}  // namespace
}  // namespace ruv::testing
