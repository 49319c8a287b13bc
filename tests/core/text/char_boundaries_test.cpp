#include "core/text/char_boundaries.h"

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
    // 表 and ソ end in the byte of '\', ポ in that of '|'; two needles start on such a trail byte.
    const std::string hyouSo = sj("表ソ"), poA = sj("ポあ");
    ASSERT_TRUE(hyouSo[1] == '\\' && poA[1] == '|');
    const std::vector<std::string> needles{
        "\\",     "|", hyouSo.substr(1, 2), "</font>", sj("表"), sj("ソ"), " : ", "\">", "",
        sj("ポ"), "w", poA.substr(1, 2),    "x"};
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
