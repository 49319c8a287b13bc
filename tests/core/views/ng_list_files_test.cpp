#include "core/views/ng_list_files.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/log_lines.h"
#include "support/temp_folder.h"

namespace ruv::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST(NgListFiles, SavedListsAreCrLfLinesAndEmptyListsEmptyFiles) {
    TempFolder folder;
    NgLists lists{{"Abc", sj("表示名"), ""}, {}};
    SaveNgLists(folder.path(), lists);
    EXPECT_EQ(readBytes(folder / "nguserlist.txt"), "Abc\r\n" + sj("表示名") + "\r\n\r\n");
    EXPECT_EQ(readBytes(folder / "ngwordlist.txt"), "");

    NgLists loaded;
    LoadNgLists(folder.path(), loaded);
    EXPECT_EQ(loaded.users, lists.users);
    EXPECT_THAT(loaded.words, IsEmpty());
}

TEST(NgListFiles, MissingWordFileLeavesOnlyTheWordListEmpty) {
    TempFolder folder;
    writeBytes(folder / "nguserlist.txt", "a\rb\nc");
    NgLists lists;
    LoadNgLists(folder.path(), lists);
    EXPECT_THAT(lists.users, ElementsAre("a", "b", "c"));
    EXPECT_THAT(lists.words, IsEmpty());
}

}  // namespace
}  // namespace ruv::testing
