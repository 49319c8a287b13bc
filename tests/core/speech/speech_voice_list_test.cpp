// The per-character voice list and its file lines.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/speech/voice_list.h"
#include "support/cp932_text.h"

namespace {

using ruv::LoadVoiceList;
using ruv::SaveVoiceList;
using ruv::VoiceList;
using ruv::VoiceProfile;
using ruv::testing::sj;

TEST(VoiceListFile, WritesRowsInOrderAndReadsThemBack) {
    const VoiceList list(
        {VoiceProfile{"abc", 3, 80, 120, 90}, VoiceProfile{"xy", 0, 100, 100, 100}});
    const std::vector<std::string> lines = SaveVoiceList(list);
    EXPECT_EQ(lines, (std::vector<std::string>{"abc=3,80,120,90", "xy=0,100,100,100"}));

    const auto read = LoadVoiceList(lines);
    EXPECT_EQ(read.list.Profiles(), list.Profiles());
    EXPECT_TRUE(read.unusableLineNumbers.empty());
}

TEST(VoiceListFile, EmptyListWritesNoLines) {
    EXPECT_TRUE(SaveVoiceList(VoiceList{}).empty());
    EXPECT_TRUE(LoadVoiceList(std::vector<std::string>{}).list.Profiles().empty());
}

TEST(VoiceListFile, FieldsSplitAtCommasAndBlanksAndMayBeQuoted) {
    const std::vector<std::string> lines = {
        "a=1 2  3,4",
        "b= 5 , 6,\"7\",8",
        "c=1,2,3,4,99",  // extra fields are ignored
        // 表 ends in 0x5C; a name is compared byte for byte.
        sj("表=2,50,60,70"),
    };
    const auto read = LoadVoiceList(lines);
    ASSERT_EQ(read.list.Profiles().size(), 4u);
    EXPECT_EQ(read.list.Profiles()[0], (VoiceProfile{"a", 1, 2, 3, 4}));
    EXPECT_EQ(read.list.Profiles()[1], (VoiceProfile{"b", 5, 6, 7, 8}));
    EXPECT_EQ(read.list.Profiles()[2], (VoiceProfile{"c", 1, 2, 3, 4}));
    EXPECT_EQ(read.list.Profiles()[3], (VoiceProfile{sj("表"), 2, 50, 60, 70}));
    EXPECT_EQ(ruv::splitVoiceFields("\"x y\",\"a\"\"b\", ,"),
              (std::vector<std::string>{"x y", "a\"b", "", ""}));
}

TEST(VoiceListFile, NameIsTextBeforeTheFirstEquals) {
    const auto read = LoadVoiceList(std::vector<std::string>{"a=b=1,2,3,4", "a=1,2,3,4"});
    // "a=b=1,2,3,4" names "a" with values "b=1" (not a number): unusable. The
    // second line shares the name and so takes the first line's values.
    EXPECT_TRUE(read.list.Profiles().empty());
    EXPECT_EQ(read.unusableLineNumbers, (std::vector<std::size_t>{1, 2}));
}

TEST(VoiceListFile, LinesWithOneNameShareTheFirstLinesValues) {
    const auto read =
        LoadVoiceList(std::vector<std::string>{"abc=3,80,120,90", "x=1,1,1,1", "abc=5,5,5,5"});
    ASSERT_EQ(read.list.Profiles().size(), 3u);
    EXPECT_EQ(read.list.Profiles()[2], (VoiceProfile{"abc", 3, 80, 120, 90}));
    EXPECT_EQ(read.list.lines()[2], "abc=5,5,5,5");
}

TEST(VoiceListFile, UnreadableLinesStayInTheFileButAreNotUsedAndAreNamed) {
    const std::vector<std::string> lines = {
        "abc=3,80,120,90", "no equals sign", "bad=1,two,3,4",   "",
        "short=1,2,3",     "=1,2,3,4",       "xy=0,100,100,100"};
    const auto read = LoadVoiceList(lines);
    ASSERT_EQ(read.list.Profiles().size(), 2u);
    EXPECT_EQ(read.list.Profiles()[0].Name, "abc");
    EXPECT_EQ(read.list.Profiles()[1].Name, "xy");
    EXPECT_EQ(read.unusableLineNumbers, (std::vector<std::size_t>{2, 3, 5, 6}));
    EXPECT_EQ(SaveVoiceList(read.list), lines);

    const std::string error = ruv::unusableVoiceLinesErrorText(read.unusableLineNumbers);
    EXPECT_TRUE(error.starts_with(sj("bouyomiuserlist.txtの2,3,5,6")));
    EXPECT_TRUE(error.ends_with("(FormCreate) "));

    // Rows edited in the dialog replace the usable ones; the unreadable lines
    // are kept after them.
    VoiceList edited = read.list;
    edited.replaceProfiles({VoiceProfile{"new", 1, 2, 3, 4}});
    EXPECT_EQ(SaveVoiceList(edited),
              (std::vector<std::string>{"new=1,2,3,4", "no equals sign", "bad=1,two,3,4",
                                        "short=1,2,3", "=1,2,3,4"}));
}

}  // namespace
