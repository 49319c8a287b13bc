#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>

#include "cli/commands.h"
#include "core/lines/chat_format.h"
#include "support/cp932_text.h"

namespace {

namespace mk = ruv::markers;
using ruv::cli::TextEncoding;
using ruv::testing::sj;

const std::string kStamp = "[05/01 20:15:30] ";

std::string chatLine(std::string_view hex, std::string_view body) {
    return std::string(mk::kLine) + " " + kStamp + "</font> <font size=\"2\" color=\"#" +
           std::string(hex) + "\">" + std::string(body) + "</font></br>\n";
}

class SortCommand : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ =
            std::filesystem::temp_directory_path() /
            ("sort_command_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir_);
        log_ = dir_ / "MHChatLog_2024_05_01.html";
        std::ofstream(log_, std::ios::binary)
            << std::string(mk::kHeaderBody) << "\n"
            << chatLine("c8ffc8", sj("名無し : こんにちは"))
            << chatLine("ff64ff", sj("経験値が 1234 上がりました。"))
            << chatLine("ff64ff", sj("経験値が 1,000 上がりました。"))
            << chatLine("ff64ff", sj(" 経験値が 66 上がりました。"))
            << chatLine("64ff80", "System notice") << chatLine("94ddfa", "partial").substr(0, 60);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    std::filesystem::path dir_;
    std::filesystem::path log_;
};

TEST_F(SortCommand, PrintsEveryAppendThenTheDayGainInUtf8) {
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(ruv::cli::runSortCommand(log_, TextEncoding::Utf8, out, err), 0);
    EXPECT_EQ(out.str(),
              "Normal\t#c8ffc8\t[05/01 20:15:30] 名無し : こんにちは\n"
              "Open\t#c8ffc8\t[05/01 20:15:30] 名無し : こんにちは\n"
              "Battle\t#ff64ff\t[05/01 20:15:30] 経験値が 1234 上がりました。\n"
              "Battle\t#ff64ff\t[05/01 20:15:30] 経験値が 1,000 上がりました。\n"
              "Battle\t#ff64ff\t[05/01 20:15:30]  経験値が 66 上がりました。\n"
              "System\t#64ff80\t[05/01 20:15:30] System notice\n"
              "day-gain\t1300\t2\n");
    // One message for the one gain that is not an integer.
    EXPECT_EQ(err.str(),
              "experience gain is not an integer, not counted: [05/01 20:15:30] 経験値が 1,000 "
              "上がりました。\n");
}

TEST_F(SortCommand, PrintsRawCp932BytesWhenAsked) {
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(ruv::cli::runSortCommand(log_, TextEncoding::Cp932, out, err), 0);
    std::istringstream printed(out.str());
    std::string first;
    std::getline(printed, first);
    EXPECT_EQ(first, "Normal\t#c8ffc8\t" + kStamp + sj("名無し : こんにちは"));
}

TEST_F(SortCommand, HeaderOnlyLogPrintsAnEmptyDayGainAndWarnsOnce) {
    std::ofstream(log_, std::ios::binary | std::ios::trunc) << std::string(mk::kHeaderBody) << "\n";
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(ruv::cli::runSortCommand(log_, TextEncoding::Utf8, out, err), 0);
    EXPECT_EQ(out.str(), "day-gain\t0\t0\n");
    const std::string warning = err.str();
    EXPECT_NE(warning.find(log_.string()), std::string::npos) << warning;
    EXPECT_EQ(warning.find('\n'), warning.size() - 1) << warning;
}

TEST_F(SortCommand, UnreadableFileFailsWithOneMessage) {
    for (const auto& path : {dir_ / "missing.html", dir_}) {
        std::ostringstream out;
        std::ostringstream err;
        EXPECT_EQ(ruv::cli::runSortCommand(path, TextEncoding::Utf8, out, err), 1);
        EXPECT_EQ(out.str(), "");
        const std::string message = err.str();
        EXPECT_NE(message.find(path.string()), std::string::npos) << message;
        EXPECT_EQ(message.find('\n'), message.size() - 1) << message;
    }
}

}  // namespace
