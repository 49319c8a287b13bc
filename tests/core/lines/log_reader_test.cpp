#include "core/lines/log_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/lines/chat_format.h"
#include "loggen/log_generator.h"
#include "support/cp932_text.h"
#include "support/temp_folder.h"

namespace {

namespace fs = std::filesystem;
using ruv::ByteOffset;
using ruv::kLogBlockBytes;
using ruv::LogReader;
using ruv::LogTail;
using ruv::SliceStatus;
using ruv::loggen::LogGenerator;
using ruv::testing::sj;

using TempDir = ruv::testing::TempFolder;

void append(const fs::path& path, std::string_view bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::app);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}
void overwrite(const fs::path& path, std::string_view bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}
ByteOffset sizeOf(const fs::path& path) {
    return ByteOffset{static_cast<std::int64_t>(fs::file_size(path))};
}

struct RecordingSink : ruv::LineSink {
    std::vector<std::string> lines;
    std::function<void(std::string_view)> onLine;
    void routeLine(std::string_view raw) override {
        lines.emplace_back(raw);
        if (onLine) {
            onLine(raw);
        }
    }
};

struct MemoryErrorLog : ruv::platform::ErrorLog {
    std::vector<std::string> lines;
    void append(std::string_view line) override { lines.emplace_back(line); }
};

// Native files, recording the largest block read through one handle.
struct RecordingOpener : ruv::platform::FileOpener {
    struct File : ruv::platform::SharedReadFile {
        std::unique_ptr<ruv::platform::SharedReadFile> inner;
        const RecordingOpener* owner;
        std::size_t readThisHandle = 0;
        std::optional<ByteOffset> size() override { return inner->size(); }
        bool seek(ByteOffset offset) override { return inner->seek(offset); }
        std::optional<std::size_t> read(std::span<char> buffer) override {
            const auto got = inner->read(buffer);
            readThisHandle += got.value_or(0);
            owner->largestRead = std::max(owner->largestRead, readThisHandle);
            owner->totalRead += got.value_or(0);
            return got;
        }
        std::error_code lastError() const override { return inner->lastError(); }
        std::optional<ruv::platform::FileIdentity> identity() override { return inner->identity(); }
    };
    using FileOpener::openShared;
    std::unique_ptr<ruv::platform::SharedReadFile> openShared(const fs::path& path,
                                                              std::error_code& why) const override {
        ++opens;
        auto inner = ruv::platform::NativeFileOpener().openShared(path, why);
        if (!inner) {
            return nullptr;
        }
        auto file = std::make_unique<File>();
        file->inner = std::move(inner);
        file->owner = this;
        return file;
    }
    mutable int opens = 0;
    mutable std::size_t largestRead = 0;
    mutable std::size_t totalRead = 0;
};

const ruv::platform::LocalDateTime kNow{2024, 5, 1, 9, 5, 7};

class LogReaderTest : public ::testing::Test {
  protected:
    TempDir dir;
    fs::path log = dir.path() / "MHChatLog_2024_05_01.html";
    LogTail tail;
    RecordingSink sink;
    MemoryErrorLog errors;
    ruv::platform::ManualClock clock{kNow};
    RecordingOpener files;
    LogReader reader{tail, sink, files, errors, clock};
    LogGenerator generator{5};

    std::string chatLine() { return generator.nextLine().bytes; }
    // Lines that make exactly `bytes` bytes with their line feeds.
    std::string linesOfExactly(std::size_t bytes, std::vector<std::string>& expected) {
        std::string out;
        for (;;) {
            std::string line = chatLine();
            if (out.size() + line.size() + 1 + 200 > bytes) {
                break;
            }
            out.append(line).append("\n");
            expected.push_back(ruv::removeEntities(line));
        }
        std::string last(bytes - out.size() - 1, 'p');
        out.append(last).append("\n");
        expected.push_back(last);
        return out;
    }
};

TEST_F(LogReaderTest, NothingHappensUntilALogIsAttached) {
    EXPECT_EQ(reader.readSlice().status, SliceStatus::NotAttached);
    EXPECT_EQ(files.opens, 0);
}

TEST_F(LogReaderTest, NewDayFileFromByteZeroRoutesTheHeaderLinesToo) {
    std::vector<ruv::loggen::GeneratedLine> generated;
    overwrite(log, generator.generate(2000, generated));
    tail.attach(log, {});
    const auto result = reader.readSlice();
    EXPECT_EQ(result.status, SliceStatus::CaughtUp);
    ASSERT_EQ(sink.lines.size(), generated.size() + 4);
    EXPECT_EQ(sink.lines[0], ruv::markers::kHeaderBody);
    EXPECT_EQ(sink.lines[1], ruv::markers::kHeaderTitle);
    EXPECT_EQ(sink.lines[2].size(), ruv::markers::kHeaderDateLineBytes - 1);
    EXPECT_EQ(sink.lines[3], ruv::markers::kHeaderFace);
    for (std::size_t i = 0; i < generated.size(); ++i) {
        EXPECT_EQ(sink.lines[i + 4], ruv::removeEntities(generated[i].bytes));
    }
    EXPECT_EQ(result.routed.value, static_cast<std::int64_t>(sink.lines.size()));
    EXPECT_EQ(tail.consumed(), sizeOf(log));
}

TEST_F(LogReaderTest, AttachedAtTheEndOnlyAppendedLinesAreRouted) {
    overwrite(log, generator.generate(5000));
    tail.attach(log, sizeOf(log));
    EXPECT_EQ(reader.readSlice().status, SliceStatus::CaughtUp);
    EXPECT_TRUE(sink.lines.empty());
    const std::string line = chatLine();
    append(log, line + "\n");
    reader.readSlice();
    ASSERT_EQ(sink.lines.size(), 1u);
    EXPECT_EQ(sink.lines[0], ruv::removeEntities(line));
    // A report for a file that did not grow does nothing.
    EXPECT_EQ(reader.readSlice().routed.value, 0);
    EXPECT_EQ(sink.lines.size(), 1u);
}

TEST_F(LogReaderTest, GrowthOfExactlyOneBlockIsRoutedInOneSlice) {
    std::vector<std::string> expected;
    overwrite(log, linesOfExactly(static_cast<std::size_t>(kLogBlockBytes), expected));
    tail.attach(log, {});
    EXPECT_EQ(reader.readSlice().status, SliceStatus::CaughtUp);
    EXPECT_EQ(sink.lines, expected);
    EXPECT_EQ(tail.consumed(), ByteOffset{kLogBlockBytes});
}

TEST_F(LogReaderTest, ByteBeyondTheBlockIsReadByTheNextSlice) {
    std::vector<std::string> expected;
    std::string bytes = linesOfExactly(static_cast<std::size_t>(kLogBlockBytes), expected);
    // The 102,401st byte is the line feed that completes the last line.
    bytes.pop_back();
    bytes.append("q\n");
    expected.back().append("q");
    overwrite(log, bytes);
    tail.attach(log, {});
    const auto first = reader.readSlice();
    EXPECT_EQ(first.status, SliceStatus::MoreWaiting);
    EXPECT_EQ(sink.lines.size(), expected.size() - 1);
    EXPECT_EQ(reader.readSlice().status, SliceStatus::CaughtUp);
    EXPECT_EQ(sink.lines, expected);
    EXPECT_EQ(tail.consumed(), ByteOffset{kLogBlockBytes + 1});
    EXPECT_LE(files.largestRead, static_cast<std::size_t>(kLogBlockBytes));
}

TEST_F(LogReaderTest, LargeGrowthIsReadInBlocksWithoutSkippingAByte) {
    overwrite(log, generator.generate(1000));
    tail.attach(log, sizeOf(log));
    std::vector<ruv::loggen::GeneratedLine> generated;
    std::string growth;
    while (growth.size() < 350'000) {
        generated.push_back(generator.nextLine());
        growth.append(generated.back().bytes).append("\n");
    }
    append(log, growth);
    int slices = 0;
    SliceStatus status = SliceStatus::MoreWaiting;
    while (status == SliceStatus::MoreWaiting && slices < 100) {
        status = reader.readSlice().status;
        ++slices;
    }
    EXPECT_EQ(status, SliceStatus::CaughtUp);
    EXPECT_GE(slices, 4);
    // A block, and the last bytes consumed read again to tell the file is the same.
    EXPECT_LE(files.largestRead,
              static_cast<std::size_t>(kLogBlockBytes + ruv::kConsumedTailBytes));
    ASSERT_EQ(sink.lines.size(), generated.size());
    for (std::size_t i = 0; i < generated.size(); ++i) {
        ASSERT_EQ(sink.lines[i], ruv::removeEntities(generated[i].bytes)) << i;
    }
    EXPECT_EQ(tail.consumed(), sizeOf(log));
}

// A clock that moves one millisecond each time it is read.
struct TickingClock final : ruv::platform::MonotonicClock {
    mutable std::chrono::nanoseconds time{};
    std::chrono::nanoseconds now() const override { return time += std::chrono::milliseconds(1); }
};

TEST_F(LogReaderTest, SliceEndsWhenItsTimeIsUpAndTheNextGoesOnWithoutLossOrRepeat) {
    overwrite(log, "");
    tail.attach(log, {});
    std::vector<std::string> expected;
    const std::string growth = linesOfExactly(20'000, expected);  // well under one block
    append(log, growth);
    TickingClock ticking;
    reader.setTimeBudget(ticking, std::chrono::milliseconds(3));

    const ruv::SliceResult first = reader.readSlice();
    EXPECT_EQ(first.status, SliceStatus::MoreWaiting);
    EXPECT_GE(first.routed.value, 1);
    EXPECT_LT(first.routed.value, static_cast<std::int64_t>(expected.size()));
    EXPECT_EQ(sink.lines.size(), static_cast<std::size_t>(first.routed.value));
    int slices = 1;
    while (reader.readSlice().status == SliceStatus::MoreWaiting && slices < 10'000) {
        ++slices;
    }
    EXPECT_GT(slices, 2);
    EXPECT_EQ(sink.lines, expected);
    EXPECT_EQ(tail.consumed(), sizeOf(log));
}

TEST_F(LogReaderTest, PartialLineWaitsAndIsRoutedWholeOnce) {
    overwrite(log, "");
    tail.attach(log, {});
    // 表, ソ and 能 end in the byte of '\'; 表 is split between its lead and its trail byte.
    const std::string line =
        generator
            .makeLine(ruv::colours::kTeam, ruv::loggen::TagBlockForm::BlankBefore, sj("表ソ : 能"))
            .bytes;
    const std::size_t cut = line.find(sj("表"));
    ASSERT_NE(cut, std::string::npos);
    append(log, line.substr(0, cut + 1));
    EXPECT_EQ(reader.readSlice().status, SliceStatus::CaughtUp);
    EXPECT_TRUE(sink.lines.empty());
    EXPECT_EQ(tail.consumed(), ByteOffset{});
    // Further reports without growth neither route nor read it again.
    const std::size_t readBefore = files.totalRead;
    reader.readSlice();
    EXPECT_EQ(files.totalRead, readBefore);
    append(log, line.substr(cut + 1));
    reader.readSlice();
    EXPECT_TRUE(sink.lines.empty());
    append(log, "\nfragment without marker");
    reader.readSlice();
    ASSERT_EQ(sink.lines.size(), 1u);
    EXPECT_EQ(sink.lines[0], line);
    EXPECT_EQ(ruv::ChatLine::fromLogLine(sink.lines[0]).speaker, sj("表ソ"));
    EXPECT_EQ(tail.consumed(), ByteOffset{static_cast<std::int64_t>(line.size() + 1)});
    append(log, "\n");
    reader.readSlice();
    ASSERT_EQ(sink.lines.size(), 2u);
    EXPECT_EQ(sink.lines[1], "fragment without marker");
}

TEST_F(LogReaderTest, EveryCompleteLineIsRoutedWithOrWithoutMarker) {
    overwrite(log, "");
    tail.attach(log, {});
    const std::string a = chatLine(), b = chatLine(), c = chatLine();
    append(log, a + "\nplain text\n" + b + "\r\n\n" + c + "\n&nbsp;x&nbsp y&nbspz\ntrailing");
    reader.readSlice();
    const std::vector<std::string> expected{ruv::removeEntities(a), "plain text",
                                            ruv::removeEntities(b), "",
                                            ruv::removeEntities(c), ";xyz"};
    EXPECT_EQ(sink.lines, expected);
    EXPECT_EQ(tail.consumed(), sizeOf(log) - ByteOffset{8});
}

TEST_F(LogReaderTest, ZeroBytesAreDroppedWithoutEndingTheBatch) {
    overwrite(log, "");
    tail.attach(log, {});
    const std::string a = chatLine(), b = chatLine();
    std::string bytes = a + "\n";
    bytes.append(std::string(5, '\0'));
    bytes.append(b.substr(0, 40)).push_back('\0');
    bytes.append(b.substr(40)).append("\n");
    bytes.append(std::string(3, '\0')).append("\n");
    append(log, bytes);
    EXPECT_EQ(reader.readSlice().status, SliceStatus::CaughtUp);
    const std::vector<std::string> expected{ruv::removeEntities(a), ruv::removeEntities(b), ""};
    EXPECT_EQ(sink.lines, expected);
    EXPECT_EQ(tail.consumed(), sizeOf(log));
}

TEST_F(LogReaderTest, WholeBlockWithoutLineFeedIsRoutedAsOneLine) {
    overwrite(log, "");
    tail.attach(log, {});
    const std::string endless(static_cast<std::size_t>(kLogBlockBytes) + 10, 'x');
    append(log, endless + "\nnext\n");
    EXPECT_EQ(reader.readSlice().status, SliceStatus::MoreWaiting);
    ASSERT_EQ(sink.lines.size(), 1u);
    EXPECT_EQ(sink.lines[0].size(), static_cast<std::size_t>(kLogBlockBytes));
    EXPECT_EQ(reader.readAll().status, SliceStatus::CaughtUp);
    const std::vector<std::string> expected{std::string(kLogBlockBytes, 'x'), "xxxxxxxxxx", "next"};
    EXPECT_EQ(sink.lines, expected);
}

TEST_F(LogReaderTest, ReplacedLogIsFollowedFromItsFirstLineAndNoFragmentIsRouted) {
    // The replacement is shorter than what was consumed when first seen, or has
    // already grown past it.
    for (const bool grownBeforeTheLook : {false, true}) {
        SCOPED_TRACE(grownBeforeTheLook ? "grown before the look" : "shorter when seen");
        sink.lines.clear();
        const std::string old = generator.generate(3000);
        overwrite(log, old);
        tail.attach(log, sizeOf(log));
        EXPECT_EQ(reader.readSlice().routed.value, 0);

        std::vector<std::string> expected;
        std::string replacement;
        while (replacement.size() < old.size() + 200) {
            const std::string line = chatLine();
            replacement.append(line).append("\n");
            expected.push_back(ruv::removeEntities(line));
        }
        // Written beside the log and renamed over it, as a new file.
        const fs::path written = dir.path() / "written.tmp";
        overwrite(written, grownBeforeTheLook ? replacement : replacement.substr(0, 100));
        fs::rename(written, log);
        if (!grownBeforeTheLook) {
            reader.readAll();
            overwrite(log, replacement);
        }
        reader.readAll();
        EXPECT_EQ(sink.lines, expected);
        EXPECT_EQ(tail.consumed(), sizeOf(log));
    }
}

// Native files that all claim one identity, as a file system does that hands
// a freed file number to the next file written.
struct ReusedIdentityOpener : ruv::platform::FileOpener {
    struct File : RecordingOpener::File {
        std::optional<ruv::platform::FileIdentity> identity() override {
            return ruv::platform::FileIdentity{1, 42};
        }
    };
    using FileOpener::openShared;
    std::unique_ptr<ruv::platform::SharedReadFile> openShared(const fs::path& path,
                                                              std::error_code& why) const override {
        auto inner = ruv::platform::NativeFileOpener().openShared(path, why);
        if (!inner) {
            return nullptr;
        }
        auto file = std::make_unique<File>();
        file->inner = std::move(inner);
        file->owner = &recording;
        return file;
    }
    RecordingOpener recording;
};

TEST_F(LogReaderTest, LogWrittenAnewUnderTheOldFileNumberIsFollowedFromItsFirstLine) {
    const ReusedIdentityOpener reused;
    LogReader reusing{tail, sink, reused, errors, clock};
    const std::string old = generator.generate(3000);
    overwrite(log, old);
    tail.attach(log, sizeOf(log));
    append(log, chatLine() + "\n");
    reusing.readAll();
    ASSERT_EQ(sink.lines.size(), 1u);

    sink.lines.clear();
    std::vector<std::string> expected;
    std::string replacement;
    while (replacement.size() < old.size() + 500) {
        const std::string line = chatLine();
        replacement.append(line).append("\n");
        expected.push_back(ruv::removeEntities(line));
    }
    fs::remove(log);
    overwrite(log, replacement);
    reusing.readAll();
    EXPECT_EQ(sink.lines, expected);
    EXPECT_EQ(tail.consumed(), sizeOf(log));
}

TEST_F(LogReaderTest, FailedLineIsReportedOnceAndSkipped) {
    overwrite(log, "");
    tail.attach(log, {});
    sink.onLine = [](std::string_view raw) {
        if (raw == "bad") {
            throw std::runtime_error("not a number");
        }
    };
    append(log, "one\nbad\ntwo\n");
    const auto result = reader.readSlice();
    EXPECT_EQ(result.status, SliceStatus::CaughtUp);
    EXPECT_EQ(result.routed.value, 3);
    EXPECT_EQ(result.failed.value, 1);
    const std::vector<std::string> expected{"one", "bad", "two"};
    EXPECT_EQ(sink.lines, expected);
    ASSERT_EQ(errors.lines.size(), 1u);
    EXPECT_EQ(errors.lines[0], std::string(ruv::kLogReadFailureText) + " 2024/05/01 9:05:07");
    EXPECT_EQ(tail.consumed(), sizeOf(log));
    // Never routed twice; following goes on.
    append(log, "three\n");
    reader.readSlice();
    EXPECT_EQ(sink.lines.back(), "three");
    EXPECT_EQ(sink.lines.size(), 4u);
    EXPECT_EQ(errors.lines.size(), 1u);
}

TEST_F(LogReaderTest, MissingFileReportsSizeUnavailableAndChangesNothing) {
    tail.attach(dir.path() / "missing.html", ByteOffset{7});
    EXPECT_EQ(reader.readSlice().status, SliceStatus::SizeUnavailable);
    EXPECT_EQ(tail.consumed(), ByteOffset{7});
    EXPECT_TRUE(errors.lines.empty());
    EXPECT_TRUE(sink.lines.empty());
    EXPECT_EQ(ruv::kLogSizeUnavailableText, sj("ファイルサイズを取得できません。"));
}

TEST_F(LogReaderTest, ReattachingWhileRoutingStopsTheOldBatch) {
    const fs::path other = dir.path() / "MHChatLog_2024_05_02.html";
    overwrite(other, "12345old\nnew\n");
    overwrite(log, "");
    tail.attach(log, {});
    append(log, "a\nb\nc\n");
    sink.onLine = [&](std::string_view raw) {
        if (raw == "b") {
            tail.attach(other, ByteOffset{9});
        }
    };
    EXPECT_EQ(reader.readSlice().status, SliceStatus::Reattached);
    EXPECT_EQ(tail.path(), other);
    EXPECT_EQ(tail.consumed(), ByteOffset{9});
    reader.readSlice();
    const std::vector<std::string> expected{"a", "b", "new"};
    EXPECT_EQ(sink.lines, expected);
}

TEST_F(LogReaderTest, ReattachingBetweenSlicesLeavesTheRestOfTheOldLog) {
    overwrite(log, "");
    tail.attach(log, {});
    std::vector<std::string> expected;
    append(log, linesOfExactly(static_cast<std::size_t>(kLogBlockBytes) * 2, expected));
    ASSERT_EQ(reader.readSlice().status, SliceStatus::MoreWaiting);
    const std::size_t routedFromOld = sink.lines.size();
    const fs::path other = dir.path() / "MHChatLog_2024_05_02.html";
    overwrite(other, "skipped\nnew\n");
    tail.attach(other, ByteOffset{8});
    EXPECT_EQ(reader.readAll().status, SliceStatus::CaughtUp);
    ASSERT_EQ(sink.lines.size(), routedFromOld + 1);
    EXPECT_EQ(sink.lines.back(), "new");
    EXPECT_EQ(tail.consumed(), ByteOffset{12});
}

TEST_F(LogReaderTest, OffsetsBeyondFourGigabytesWork) {
    overwrite(log, "");
    const ByteOffset far{5'000'000'000};
    std::error_code error;
    fs::resize_file(log, static_cast<std::uintmax_t>(far.value), error);
    if (error) {
        GTEST_SKIP() << "no sparse files here: " << error.message();
    }
    tail.attach(log, far);
    append(log, "far away\n");
    reader.readSlice();
    ASSERT_EQ(sink.lines.size(), 1u);
    EXPECT_EQ(sink.lines[0], "far away");
    EXPECT_EQ(tail.consumed(), far + ByteOffset{9});
}

TEST(ErrorLogLine, HandlerTextBlankThenDateAndTime) {
    EXPECT_EQ(ruv::platform::formatDateTime({2024, 12, 31, 23, 59, 59}), "2024/12/31 23:59:59");
    EXPECT_EQ(ruv::platform::errorLogLine("X(Handler)", {2025, 1, 2, 0, 0, 5}),
              "X(Handler) 2025/01/02 0:00:05");
    const auto now = ruv::platform::SystemClock().now();
    EXPECT_GE(now.year, 2024);
    EXPECT_TRUE(now.month >= 1 && now.month <= 12);
}

}  // namespace
