#include "core/config/view_settings.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "support/temp_folder.h"

namespace {

using ruv::TextSize;
using ruv::config::loadViewSettings;
using ruv::config::saveViewSettings;
using ruv::config::ViewSettings;
using ruv::testing::readBytes;
using ruv::testing::TempFolder;
using ruv::testing::writeBytes;

struct FileCase {
    const char* name;
    std::optional<std::string> bytes;  // empty: no file
    int points;
    bool callAlert;
};

TEST(ViewSettingsFile, ReadsValidValuesAndFallsBackPerKeyOnDamage) {
    const FileCase cases[] = {
        {"missing file", std::nullopt, TextSize::kDefault, false},
        {"empty file", "", TextSize::kDefault, false},
        {"valid", "FontSize=14\r\nCallAlert=1\r\n", 14, true},
        {"lone LF and no last break", "CallAlert=1\nFontSize=6", 6, true},
        {"size out of range", "FontSize=33\r\nCallAlert=1\r\n", TextSize::kDefault, true},
        {"size not a number", "FontSize=1O\r\n", TextSize::kDefault, false},
        {"alert not a flag", "FontSize=20\r\nCallAlert=yes\r\n", 20, false},
        {"key with a blank", "FontSize =20\r\nCallAlert= 1\r\n", TextSize::kDefault, false},
        {"binary noise", std::string("\x81\x00\xff=\r\r\n=", 8), TextSize::kDefault, false},
    };
    for (const FileCase& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        const auto file = folder / "ruvivuvaz_view.ini";
        if (c.bytes) {
            writeBytes(file, *c.bytes);
        }
        const ViewSettings read = loadViewSettings(file);
        EXPECT_EQ(read.textSize.points(), c.points);
        EXPECT_EQ(read.callAlert, c.callAlert);
    }
}

TEST(ViewSettingsFile, UnreadableFileGivesDefaults) {
    TempFolder folder;
    const auto file = folder / "ruvivuvaz_view.ini";
    std::filesystem::create_directory(file);
    EXPECT_EQ(loadViewSettings(file), ViewSettings{});
}

TEST(ViewSettingsFile, RoundTripsInCrLfLinesWithTheLaterOptionsRowsOnlyWhileOn) {
    struct Case {
        ViewSettings saved;
        const char* bytes;
    };
    const Case cases[] = {
        {{TextSize(TextSize::kLargest), true, false}, "FontSize=32\r\nCallAlert=1\r\n"},
        {{TextSize(TextSize::kDefault), false, true},
         "FontSize=9\r\nCallAlert=0\r\nNgOnTidy=1\r\n"},
        {{.textSize = TextSize(TextSize::kDefault), .attachTodayAtStart = true},
         "FontSize=9\r\nCallAlert=0\r\nAttachTodayAtStart=1\r\n"},
        {{.textSize = TextSize(TextSize::kDefault),
          .ngOnTidy = true,
          .windowMaximized = true,
          .attachTodayAtStart = true,
          .resetExpAtNewDay = true},
         "FontSize=9\r\nCallAlert=0\r\nNgOnTidy=1\r\nWindowMaximized=1\r\n"
         "AttachTodayAtStart=1\r\nResetExpAtNewDay=1\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes);
        TempFolder folder;
        const auto file = folder / "ruvivuvaz_view.ini";
        saveViewSettings(file, c.saved);
        EXPECT_EQ(readBytes(file), c.bytes);
        EXPECT_EQ(loadViewSettings(file), c.saved);
    }
    EXPECT_FALSE(ruv::config::parseViewSettings("NgOnTidy=yes\r\n").ngOnTidy);
    EXPECT_FALSE(ruv::config::parseViewSettings("AttachTodayAtStart=2\r\n").attachTodayAtStart);
    EXPECT_TRUE(ruv::config::parseViewSettings("ResetExpAtNewDay=0\r\nResetExpAtNewDay=1")
                    .resetExpAtNewDay);
}

TEST(TextSizeSteps, StayWithinTheRangeAndResetToTheDefault) {
    using ruv::stepped;
    using ruv::TextSizeStep;
    EXPECT_EQ(stepped(TextSize(TextSize::kLargest), TextSizeStep::Larger).points(), 32);
    EXPECT_EQ(stepped(TextSize(TextSize::kSmallest), TextSizeStep::Smaller).points(), 6);
    EXPECT_EQ(stepped(TextSize(20), TextSizeStep::Smaller).points(), 19);
    EXPECT_EQ(stepped(TextSize(20), TextSizeStep::Reset), TextSize());
    EXPECT_EQ(TextSize(-4).points(), 6);
    EXPECT_EQ(TextSize().pixels(), 12);
}

}  // namespace
