#include "core/text/fixed_text.h"

#include <gtest/gtest.h>

#include "all_fixed_texts.h"
#include "core/text/cp932.h"

namespace {

TEST(FixedTexts, EveryTextConvertsToCp932AndReadsBackUnchanged) {
    ASSERT_FALSE(ruv::allFixedTexts().empty());
    for (const ruv::FixedText* text : ruv::allFixedTexts()) {
        SCOPED_TRACE(text->utf8());
        EXPECT_TRUE(ruv::cp932::isWellFormed(text->cp932()));
        EXPECT_EQ(ruv::cp932::toUtf8(text->cp932()), text->utf8());
        EXPECT_EQ(text->cp932().empty(), text->utf8().empty());
    }
}

}  // namespace
