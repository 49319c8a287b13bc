#include "core/platform/text_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <fstream>
#include <sstream>

#include "core/temp_folder.h"

namespace {

namespace fs = std::filesystem;
using ruv::platform::ReadStatus;
using ruv::platform::readWholeFile;
using ruv::platform::writeWholeFileAtomically;
using ruv::testing::TempFolder;

std::string contentOf(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

std::size_t entriesIn(const fs::path& folder) {
    return static_cast<std::size_t>(
        std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

// Makes every write past `limit` bytes fail with EFBIG while it lives.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t limit) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lowered = saved_;
        lowered.rlim_cur = limit;
        setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previousHandler_);
    }

  private:
    rlimit saved_{};
    void (*previousHandler_)(int) = nullptr;
};

TEST(ReadWholeFile, ReadsEveryByte) {
    TempFolder folder;
    const std::string bytes("a\0b\r\n\x95\x5C\xFF", 8);
    std::ofstream(folder / "f.txt", std::ios::binary) << bytes;
    const auto read = readWholeFile(folder / "f.txt");
    EXPECT_EQ(read.status, ReadStatus::Ok);
    EXPECT_EQ(read.bytes, bytes);
    std::ofstream(folder / "empty.txt", std::ios::binary).close();
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
    EXPECT_EQ(contentOf(target), "first\r\n");
    EXPECT_FALSE(writeWholeFileAtomically(target, "second"));
    EXPECT_EQ(contentOf(target), "second");
    EXPECT_FALSE(writeWholeFileAtomically(target, ""));
    EXPECT_EQ(fs::file_size(target), 0u);
    EXPECT_EQ(entriesIn(folder.path()), 1u);
}

TEST(WriteWholeFileAtomically, FailedWriteLeavesOldFileWhole) {
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
    EXPECT_EQ(contentOf(target), old);
    EXPECT_EQ(entriesIn(folder.path()), 1u);
}

TEST(WriteWholeFileAtomically, TargetThatIsAFolderIsReportedAndKept) {
    TempFolder folder;
    const fs::path target = folder / "config.ini";
    fs::create_directory(target);
    std::ofstream(target / "inside.txt") << "keep";
    EXPECT_TRUE(writeWholeFileAtomically(target, "data"));
    EXPECT_TRUE(fs::is_directory(target));
    EXPECT_EQ(contentOf(target / "inside.txt"), "keep");
    EXPECT_EQ(entriesIn(folder.path()), 1u);
}

TEST(WriteWholeFileAtomically, MissingFolderIsReported) {
    TempFolder folder;
    EXPECT_TRUE(writeWholeFileAtomically(folder / "absent" / "config.ini", "data"));
    EXPECT_FALSE(fs::exists(folder / "absent"));
}

}  // namespace
