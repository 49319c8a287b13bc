#include "core/platform/shared_file.h"

#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <string>

#include "core/platform/native_path.h"
#include "support/cp932_text.h"
#include "support/temp_folder.h"

namespace {

namespace fs = std::filesystem;
using ruv::ByteOffset;
using ruv::platform::NativeFileOpener;
using ruv::platform::readFully;
using ruv::testing::sj;
using ruv::testing::TempFolder;
using ruv::testing::writeBytes;

std::string readAll(ruv::platform::SharedReadFile& file, std::size_t size) {
    std::string bytes(size, '\0');
    const auto got = readFully(file, bytes);
    if (!got) {
        return "<read failed>";
    }
    bytes.resize(*got);
    return bytes;
}

TEST(SharedReadFile, WriterKeepsAppendingWhileTheLogIsOpen) {
    TempFolder folder;
    const fs::path log = folder / "MHChatLog.html";
    std::ofstream game(log, std::ios::binary);
    game << "first\r\n" << std::flush;

    const NativeFileOpener opener;
    const auto file = opener.openShared(log);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->size(), ByteOffset{7});

    // The game writes on through its own handle; ours sees the new size at once.
    game << "second\r\n" << std::flush;
    ASSERT_TRUE(game.good());
    EXPECT_EQ(file->size(), ByteOffset{15});
    ASSERT_TRUE(file->seek(ByteOffset{7}));
    EXPECT_EQ(readAll(*file, 64), "second\r\n");
    EXPECT_EQ(readAll(*file, 64), "");
}

TEST(SharedReadFile, GameCanReopenTruncateAndRenameTheOpenLog) {
    TempFolder folder;
    const fs::path log = folder / "MHChatLog.html";
    writeBytes(log, "yesterday's text\r\n");
    const NativeFileOpener opener;
    const auto file = opener.openShared(log);
    ASSERT_NE(file, nullptr);

    writeBytes(log, "new\r\n");
    EXPECT_EQ(file->size(), ByteOffset{5});
    std::error_code error;
    fs::rename(log, folder / "MHChatLog_old.html", error);
    EXPECT_FALSE(error) << error.message();
    EXPECT_EQ(file->size(), ByteOffset{5});
    ASSERT_TRUE(file->seek(ByteOffset{0}));
    EXPECT_EQ(readAll(*file, 64), "new\r\n");
}

TEST(SharedReadFile, ReadsPastAWholeBlockAndSeeksBack) {
    TempFolder folder;
    const fs::path log = folder / "big.html";
    std::string bytes;
    for (int i = 0; bytes.size() < 300'000; ++i) {
        bytes += "line " + std::to_string(i) + "\r\n";
    }
    writeBytes(log, bytes);
    const auto file = NativeFileOpener{}.openShared(log);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->size(), ByteOffset{static_cast<std::int64_t>(bytes.size())});
    EXPECT_EQ(readAll(*file, bytes.size() + 10), bytes);
    ASSERT_TRUE(file->seek(ByteOffset{100'000}));
    EXPECT_EQ(readAll(*file, 8), bytes.substr(100'000, 8));
}

TEST(SharedReadFile, JapaneseFileNameFromSettingsText) {
    TempFolder folder;
    const auto base = ruv::platform::fromNativePath(folder.path());
    ASSERT_TRUE(base.has_value());
    // <base>/ログ表示ソ.html: 表 and ソ end in the byte of "\".
    const auto path = ruv::platform::toNativePath(ruv::platform::withTrailingSeparator(*base) +
                                                  sj("ログ表示ソ.html"));
    ASSERT_TRUE(path.has_value());
    writeBytes(fs::path(folder.path()) / fs::path(u8"ログ表示ソ.html"), "abc");

    const auto file = NativeFileOpener{}.openShared(*path);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->size(), ByteOffset{3});
    EXPECT_EQ(readAll(*file, 8), "abc");
}

TEST(SharedReadFile, MissingFileAndFolderDoNotOpen) {
    TempFolder folder;
    const NativeFileOpener opener;
    EXPECT_EQ(opener.openShared(folder / "none.html"), nullptr);
    EXPECT_EQ(opener.openShared(folder / "no-folder" / "none.html"), nullptr);
    EXPECT_EQ(opener.openShared(folder.path()), nullptr);
}

}  // namespace
