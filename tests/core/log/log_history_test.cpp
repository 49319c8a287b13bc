#include "core/log/log_history.h"

#include <gtest/gtest.h>

#include "support/cp932_text.h"
#include "support/temp_folder.h"

namespace ruv::testing {
namespace {

using Lines = config::TextLines;

std::string logPath(char letter) {
    return std::string("C:\\logs\\") + letter + ".html";
}

LogHistoryList attachedInTurn(std::string_view letters) {
    LogHistoryList list;
    for (const char letter : letters) {
        list.record(logPath(letter));
    }
    return list;
}

TEST(LogHistoryRecord, SixAttachesKeepTheLastFiveMostRecentFirst) {
    const LogHistoryList list = attachedInTurn("ABCDEF");
    EXPECT_EQ(list.entries(),
              (Lines{logPath('F'), logPath('E'), logPath('D'), logPath('C'), logPath('B')}));
}

TEST(LogHistoryRecord, AttachingAnEntryAgainMovesItToTheFrontAndTwiceChangesNothing) {
    LogHistoryList list = attachedInTurn("ABCDEF");
    list.record(logPath('C'));
    const Lines expected{logPath('C'), logPath('F'), logPath('E'), logPath('D'), logPath('B')};
    EXPECT_EQ(list.entries(), expected);
    list.record(logPath('C'));
    EXPECT_EQ(list.entries(), expected);
}

TEST(LogHistoryRecord, PathFoundOnlyInsideALongerEntryIsInsertedAsNew) {
    LogHistoryList list(Lines{"C:\\logs\\a.html.bak", "C:\\logs\\b.html"});
    list.record("C:\\logs\\a.html");
    EXPECT_EQ(list.entries(),
              (Lines{"C:\\logs\\a.html", "C:\\logs\\a.html.bak", "C:\\logs\\b.html"}));
}

TEST(LogHistoryRecord, EntriesDifferingInCaseOrSeparatorAreDifferentPaths) {
    LogHistoryList list(Lines{"C:\\logs\\x.html", "C:\\Logs\\A.html"});
    list.record("C:\\logs\\a.html");
    EXPECT_EQ(list.entries(), (Lines{"C:\\logs\\a.html", "C:\\logs\\x.html", "C:\\Logs\\A.html"}));
}

TEST(LogHistoryRecord, ALongHandEditedListLosesOneEntryPerAttach) {
    LogHistoryList list(Lines{"1", "2", "3", "4", "5", "6", "7", "8"});
    list.record("new");
    EXPECT_EQ(list.entries(), (Lines{"new", "1", "2", "3", "4", "6", "7", "8"}));
    list.record("2");
    EXPECT_EQ(list.entries(), (Lines{"2", "new", "1", "3", "4", "7", "8"}));
}

TEST(LogHistoryRecord, MatchOnATrailByteIsNoMatch) {
    // 表's trail byte is '\', but the path "\a" is not inside it.
    ASSERT_EQ(sj("表").back(), '\\');
    LogHistoryList list(Lines{sj("C:\\表a")});
    list.record("\\a");
    EXPECT_EQ(list.entries(), (Lines{"\\a", sj("C:\\表a")}));
}

TEST(LogHistoryList, ReadingPastTheEndGivesEmptyText) {
    const LogHistoryList list = attachedInTurn("AB");
    EXPECT_EQ(list.at(1), logPath('A'));
    EXPECT_EQ(list.at(2), "");
    EXPECT_EQ(list.wholeText(), logPath('B') + "\r\n" + logPath('A') + "\r\n");
}

TEST(LogHistoryFile, SaveAndLoadRoundTripWithCrLfAndEveryLineLoaded) {
    TempFolder folder;
    const auto file = logHistoryFile(folder.path());
    EXPECT_EQ(file.filename(), "loghistoryslist.txt");
    saveLogHistory(file, LogHistoryList(Lines{sj("C:\\ログ\\a.html"), "b.html"}));
    EXPECT_EQ(readBytes(file), sj("C:\\ログ\\a.html") + "\r\nb.html\r\n");

    writeBytes(file, "1\r\n2\n3\r4\r\n5\r\n6\r\n7");
    LogHistoryList loaded;
    loadLogHistory(file, loaded);
    EXPECT_EQ(loaded.entries(), (Lines{"1", "2", "3", "4", "5", "6", "7"}));
}

TEST(LogHistoryFile, MissingFileLeavesTheListAndEmptyListSavesAnEmptyFile) {
    TempFolder folder;
    const auto file = logHistoryFile(folder.path());
    LogHistoryList list(Lines{"kept"});
    loadLogHistory(file, list);
    EXPECT_EQ(list.entries(), Lines{"kept"});
    saveLogHistory(file, LogHistoryList{});
    EXPECT_TRUE(std::filesystem::exists(file));
    EXPECT_EQ(std::filesystem::file_size(file), 0u);
}

}  // namespace
}  // namespace ruv::testing
