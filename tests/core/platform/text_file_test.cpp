#include "core/platform/text_file.h"

#include <gtest/gtest.h>

#include <fstream>

#include "core/platform/native_path.h"
#include "support/file_size_limit.h"
#include "support/temp_folder.h"

namespace {

namespace fs = std::filesystem;
using ruv::platform::ReadStatus;
using ruv::platform::readWholeFile;
using ruv::platform::writeWholeFileAtomically;
using ruv::testing::FileSizeLimit;
using ruv::testing::readBytes;
using ruv::testing::TempFolder;
using ruv::testing::writeBytes;

std::size_t entriesIn(const fs::path& folder) {
    return static_cast<std::size_t>(
        std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

TEST(ReadWholeFile, ReadsEveryByte) {
    TempFolder folder;
    // NUL, CR LF, 表 with its trail byte '\' and 0xFF: bytes, not text, read unchanged.
    const std::string bytes("a\0b\r\n\x95\x5C\xFF", 8);
    writeBytes(folder / "f.txt", bytes);
    const auto read = readWholeFile(folder / "f.txt");
    EXPECT_EQ(read.status, ReadStatus::Ok);
    EXPECT_EQ(read.bytes, bytes);
    writeBytes(folder / "empty.txt", "");
    EXPECT_EQ(readWholeFile(folder / "empty.txt").status, ReadStatus::Ok);
}

TEST(ReadWholeFile, TellsMissingFromUnreadable) {
    TempFolder folder;
    EXPECT_EQ(readWholeFile(folder / "none.txt").status, ReadStatus::Missing);
    EXPECT_EQ(readWholeFile(folder / "no-folder" / "none.txt").status, ReadStatus::Missing);
    fs::create_directory(folder / "a-folder");
    const auto read = readWholeFile(folder / "a-folder");
    EXPECT_EQ(read.status, ReadStatus::Unreadable);
    EXPECT_TRUE(read.error);
}

TEST(WriteWholeFileAtomically, CreatesAndReplacesLeavingNoTemporaryFile) {
    TempFolder folder;
    const fs::path target = folder / "config.ini";
    EXPECT_FALSE(writeWholeFileAtomically(target, "first\r\n"));
    EXPECT_EQ(readBytes(target), "first\r\n");
    EXPECT_FALSE(writeWholeFileAtomically(target, "second"));
    EXPECT_EQ(readBytes(target), "second");
    EXPECT_FALSE(writeWholeFileAtomically(target, ""));
    EXPECT_EQ(fs::file_size(target), 0u);
    EXPECT_EQ(entriesIn(folder.path()), 1u);
}

TEST(WriteWholeFileAtomically, FailedWriteLeavesOldFileWhole) {
    RUV_SKIP_WITHOUT_FILE_SIZE_LIMIT();
    TempFolder folder;
    const fs::path target = folder / "list.txt";
    const std::string old = "old content\r\n";
    ASSERT_FALSE(writeWholeFileAtomically(target, old));
    std::error_code failure;
    {
        const FileSizeLimit limit(16);
        failure = writeWholeFileAtomically(target, std::string(4096, 'x'));
    }
    EXPECT_EQ(failure, std::errc::file_too_large);
    EXPECT_EQ(readBytes(target), old);
    EXPECT_EQ(entriesIn(folder.path()), 1u);
}

TEST(WriteWholeFileAtomically, TargetHeldOpenByAnotherProgramIsReplacedWholeOrKept) {
    TempFolder folder;
    const fs::path target = folder / "config.ini";
    ASSERT_FALSE(writeWholeFileAtomically(target, "old"));
    std::error_code failure;
    {
        // An editor reading the file: Windows' C runtime shares reading and
        // writing but not deletion, so the file cannot be replaced there.
        std::ifstream reader(target, std::ios::binary);
        ASSERT_TRUE(reader.is_open());
        failure = writeWholeFileAtomically(target, "new");
    }
    if (ruv::platform::kNativePathStyle == ruv::platform::PathStyle::Windows) {
        EXPECT_TRUE(failure);
    }
    EXPECT_EQ(readBytes(target), failure ? "old" : "new");
    EXPECT_EQ(entriesIn(folder.path()), 1u);
}

TEST(WriteWholeFileAtomically, TargetThatIsAFolderIsReportedAndKept) {
    TempFolder folder;
    const fs::path target = folder / "config.ini";
    fs::create_directory(target);
    writeBytes(target / "inside.txt", "keep");
    EXPECT_TRUE(writeWholeFileAtomically(target, "data"));
    EXPECT_TRUE(fs::is_directory(target));
    EXPECT_EQ(readBytes(target / "inside.txt"), "keep");
    EXPECT_EQ(entriesIn(folder.path()), 1u);
}

TEST(WriteWholeFileAtomically, MissingFolderIsReported) {
    TempFolder folder;
    EXPECT_TRUE(writeWholeFileAtomically(folder / "absent" / "config.ini", "data"));
    EXPECT_FALSE(fs::exists(folder / "absent"));
}

}  // namespace
