#include "core/config/folder_check.h"

#include <gtest/gtest.h>

#include <fstream>

#include "support/temp_folder.h"

namespace ruv::testing {
namespace {

TEST(FolderCheck, AFolderThatTakesNoFileIsToldAndNothingIsLeftBehind) {
    namespace fs = std::filesystem;
    TempFolder writable;
    EXPECT_TRUE(config::canWriteIn(writable.path()));
    EXPECT_FALSE(config::canWriteIn(writable / "missing"));
    EXPECT_TRUE(fs::is_empty(writable.path()));

    TempFolder readOnly;
    fs::permissions(readOnly.path(),
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    // Permission bits bind neither root nor, for a folder, Windows.
    const bool bound = !std::ofstream(readOnly / "probe").is_open();
    std::error_code ignored;
    fs::remove(readOnly / "probe", ignored);
    if (bound) {
        EXPECT_FALSE(config::canWriteIn(readOnly.path()));
    }
    fs::permissions(readOnly.path(), fs::perms::owner_write, fs::perm_options::add);
    if (!bound) {
        GTEST_SKIP() << "a read-only folder takes files for this user";
    }
}

}  // namespace
}  // namespace ruv::testing
