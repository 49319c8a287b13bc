#include "core/config/folder_check.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"

namespace ruv::testing {
namespace {

TEST(FolderCheck, AFolderThatTakesNoFileIsToldAndNothingIsLeftBehind) {
    TempFolder writable;
    TempFolder blocked;
    std::filesystem::create_directory(blocked / "ruvivuvaz_write_check.tmp");
    struct Case {
        std::filesystem::path folder;
        bool canWrite;
    };
    const Case cases[] = {
        {writable.path(), true},
        {writable / "missing", false},
        {blocked.path(), false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(config::canWriteIn(c.folder), c.canWrite) << c.folder;
    }
    EXPECT_TRUE(std::filesystem::is_empty(writable.path()));
    EXPECT_TRUE(std::filesystem::is_directory(blocked / "ruvivuvaz_write_check.tmp"));
}

}  // namespace
}  // namespace ruv::testing
