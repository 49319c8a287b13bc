#include "core/config/list_file.h"

#include <gtest/gtest.h>

#include "core/config/config_error.h"
#include "support/cp932_text.h"
#include "support/file_size_limit.h"
#include "support/temp_folder.h"

namespace {

namespace fs = std::filesystem;
using ruv::config::FileError;
using ruv::config::FileLoad;
using ruv::config::loadList;
using ruv::config::saveList;
using ruv::config::splitLines;
using ruv::config::TextLines;
using ruv::config::UnsavableText;
using ruv::testing::readBytes;
using ruv::testing::sj;
using ruv::testing::TempFolder;
using ruv::testing::writeBytes;

TEST(SplitLines, EachBreakEndsOneLine) {
    EXPECT_EQ(splitLines(""), TextLines{});
    EXPECT_EQ(splitLines("a"), TextLines{"a"});
    EXPECT_EQ(splitLines("a\r\n"), TextLines{"a"});
    EXPECT_EQ(splitLines("\r\n"), TextLines{""});
    EXPECT_EQ(splitLines("a\r\r\nb"), (TextLines{"a", "", "b"}));
    EXPECT_EQ(splitLines("\n\r"), (TextLines{"", ""}));
    EXPECT_EQ(splitLines("a\nb\rc\r\n\r\n"), (TextLines{"a", "b", "c", ""}));
}

TEST(ListFile, RoundTripsByteForByte) {
    TempFolder folder;
    // 表 and ソ end in the byte of '\'; a voice line with "=".
    const std::string bytes =
        sj("表示\r\n"
           "ソン=0,100,100,100\r\n"
           "plain\r\n"
           "\r\n");
    writeBytes(folder / "ngwordlist.txt", bytes);
    TextLines list;
    EXPECT_EQ(loadList(folder / "ngwordlist.txt", list), FileLoad::Loaded);
    EXPECT_EQ(list, (TextLines{sj("表示"), sj("ソン=0,100,100,100"), "plain", ""}));
    saveList(folder / "saved.txt", list);
    EXPECT_EQ(readBytes(folder / "saved.txt"), bytes);
}

TEST(ListFile, LoneBreaksAndAFinalLineWithoutBreakAreRead) {
    TempFolder folder;
    writeBytes(folder / "nguserlist.txt", "one\rtwo\nthree");
    TextLines list;
    loadList(folder / "nguserlist.txt", list);
    EXPECT_EQ(list, (TextLines{"one", "two", "three"}));
    saveList(folder / "nguserlist.txt", list);
    EXPECT_EQ(readBytes(folder / "nguserlist.txt"), "one\r\ntwo\r\nthree\r\n");
}

TEST(ListFile, EmptyListIsAZeroByteFileAndReadsBackEmpty) {
    TempFolder folder;
    saveList(folder / "ngwordlist.txt", {});
    ASSERT_TRUE(fs::exists(folder / "ngwordlist.txt"));
    EXPECT_EQ(fs::file_size(folder / "ngwordlist.txt"), 0u);
    TextLines list{"stale"};
    EXPECT_EQ(loadList(folder / "ngwordlist.txt", list), FileLoad::Loaded);
    EXPECT_TRUE(list.empty());
}

TEST(ListFile, MissingFileLeavesOnlyItsHolderUnchanged) {
    TempFolder folder;
    writeBytes(folder / "nguserlist.txt", "user\r\n");
    TextLines users;
    TextLines words{"kept"};
    EXPECT_EQ(loadList(folder / "nguserlist.txt", users), FileLoad::Loaded);
    EXPECT_EQ(loadList(folder / "ngwordlist.txt", words), FileLoad::Missing);
    EXPECT_EQ(users, TextLines{"user"});
    EXPECT_EQ(words, TextLines{"kept"});
}

TEST(ListFile, UnreadableFileThrowsAndLeavesTheHolder) {
    TempFolder folder;
    fs::create_directory(folder / "loghistoryslist.txt");
    TextLines history{"C:\\a.html"};
    EXPECT_THROW(loadList(folder / "loghistoryslist.txt", history), FileError);
    EXPECT_EQ(history, TextLines{"C:\\a.html"});
}

TEST(ListFile, FailedSaveKeepsTheOldFile) {
    RUV_SKIP_WITHOUT_FILE_SIZE_LIMIT();
    TempFolder folder;
    const fs::path file = folder / "bouyomiuserlist.txt";
    saveList(file, {"a=1"});
    {
        const ruv::testing::FileSizeLimit limit(32);
        EXPECT_THROW(saveList(file, {std::string(1000, 'n')}), FileError);
    }
    EXPECT_EQ(readBytes(file), "a=1\r\n");
}

TEST(ListFile, EntryWithALineBreakIsRefused) {
    TempFolder folder;
    EXPECT_THROW(saveList(folder / "ngwordlist.txt", {"a", "b\nc"}), UnsavableText);
    EXPECT_FALSE(fs::exists(folder / "ngwordlist.txt"));
}

}  // namespace
