#include "core/log/attach_point.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "core/platform/shared_file.h"
#include "support/temp_folder.h"

namespace {

using ruv::ByteOffset;

std::int64_t pointOf(const std::string& bytes) {
    ruv::testing::TempFolder folder;
    const auto path = folder.path() / "log.html";
    std::ofstream(path, std::ios::binary) << bytes;
    const ruv::platform::NativeFileOpener files;
    auto file = files.openShared(path);
    EXPECT_TRUE(file);
    return ruv::attachPoint(*file, *file->size()).value;
}

TEST(AttachPoint, StartsAfterTheLastCompleteLine) {
    EXPECT_EQ(pointOf("one\ntwo\n"), 8);
    EXPECT_EQ(pointOf("one\ntwo half"), 4);
    EXPECT_EQ(pointOf("half only"), 0);
    EXPECT_EQ(pointOf(""), 0);
}

TEST(AttachPoint, AnUnfinishedLineLongerThanABlockIsLeftBehind) {
    const std::string longLine(200'000, 'x');
    EXPECT_EQ(pointOf("first\n" + longLine), static_cast<std::int64_t>(6 + longLine.size()));
    EXPECT_EQ(pointOf(std::string(150'000, 'a') + "\n" + "tail"), 150'001);
}

}  // namespace
