// mh_ruvivuvaz-cli search, run as a process over a folder of daily logs.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/lines/chat_format.h"
#include "support/child_process.h"
#include "support/cp932_text.h"
#include "support/log_lines.h"
#include "support/process_helpers.h"

namespace {

using namespace ruv::testing;
using namespace std::chrono_literals;

struct Finished {
    int status = -1;
    std::string out;
    std::string err;
};

Finished search(std::vector<std::string> args) {
    args.insert(args.begin(), {RUVIVUVAZ_CLI, "search"});
    ChildProcess cli(args, ChildProcess::Output::Captured);
    Finished run;
    run.out = readToEnd(cli.stdoutFd());
    run.err = readToEnd(cli.stderrFd());
    const auto status = cli.waitFor(10s);
    run.status = status && WIFEXITED(*status) ? WEXITSTATUS(*status) : -1;
    return run;
}

class SearchCommand : public ::testing::Test {
  protected:
    SearchCommand() {
        append(dir / "MHChatLog_2024_05_01.html", chatLine("f7b73c", sj("荒らし : 集合")) + "\n" +
                                                      chatLine("c8ffc8", sj("ミカ : 集合です")) +
                                                      "\n");
        append(dir / "MHChatLog_2024_05_02.html", chatLine("94ddfa", sj("カイ : 集合！")) + "\n");
        fs::create_directories(settings);
        append(settings / "config.ini", "NGWordCheck=1\r\n");  // NGユーザーを適用
        append(settings / "nguserlist.txt", sj("荒らし") + "\r\n");
    }
    std::string folder() const { return dir.path().string(); }

    TempDir dir;
    fs::path settings = dir.path() / "settings";
};

TEST_F(SearchCommand, PrintsOneLineAResultNewestDayFirst) {
    const std::string stamp(kStamp);
    const std::string expected = "2024-05-02\t" + stamp + "\tClub\tカイ : 集合！\n" +
                                 "2024-05-01\t" + stamp + "\tTeam\t荒らし : 集合\n" +
                                 "2024-05-01\t" + stamp + "\tOpen\tミカ : 集合です\n";
    const Finished run = search({"集合", folder()});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, expected);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(search({sj("集合"), folder(), "--encoding", "cp932"}).out, sj(expected));
}

TEST_F(SearchCommand, ExitsAsGrepDoes) {
    struct Case {
        std::vector<std::string> args;
        int status;
        std::size_t lines;
    };
    const std::vector<Case> cases{
        {{"集合", folder(), "--channel", "Open,Club"}, 0, 2},
        {{"集合", folder(), "--channel", "Team", "--channel", "Club"}, 0, 2},
        {{"集合", folder(), "--channel", "一般,クラブ"}, 0, 2},
        {{"集合", folder(), "--from", "2024-05-01", "--to", "2024-05-01"}, 0, 2},
        {{"集合", folder(), "--speaker", "カイ"}, 0, 1},
        {{"集合", folder(), "--settings", settings.string()}, 0, 2},
        {{"集合", folder(), "--settings", settings.string(), "--include-ng"}, 0, 3},
        {{"荒らし", folder(), "--settings", settings.string()}, 1, 0},
        {{"解散", folder()}, 1, 0},
        {{"集合", folder(), "--from", "2024-05-03"}, 1, 0},
        {{"集合", folder(), "--channel", "Normal"}, 2, 0},
        {{"集合", folder(), "--from", "2024_05_01"}, 2, 0},
        {{"集合", (dir / "missing").string()}, 2, 0},
        {{"集合"}, 2, 0},
    };
    for (const Case& c : cases) {
        const Finished run = search(c.args);
        EXPECT_EQ(run.status, c.status) << c.args.back() << run.err;
        EXPECT_EQ(static_cast<std::size_t>(std::count(run.out.begin(), run.out.end(), '\n')),
                  c.lines)
            << c.args.back();
    }
}

TEST_F(SearchCommand, SaysWhyNothingMatchedAndTakesAWrongRangeOrFolderForAnError) {
    fs::create_directories(dir / "empty");
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string said;
    };
    const std::vector<Case> cases{
        {{"集合", folder(), "--from", "2024-05-02", "--to", "2024-05-01"},
         2,
         "--from is after --to"},
        {{"集合", (dir / "empty").string()}, 2, "holds no daily log"},
        {{"集合", folder(), "--from", "2024-06-01"}, 1, "no daily log"},
        {{"集合", folder(), "--speaker", "荒らし", "--settings", settings.string()}, 1, "NG lists"},
        {{"", folder()}, 2, "TEXT is empty"},
        {{"集合", folder(), "--channel", "通常"}, 2, "Open (一般)"},
        {{"解散", folder()}, 1, ""},
    };
    for (const Case& c : cases) {
        const Finished run = search(c.args);
        EXPECT_EQ(run.status, c.status) << c.said;
        EXPECT_EQ(run.out, "");
        if (c.said.empty()) {
            EXPECT_EQ(run.err, "");
        } else {
            EXPECT_TRUE(run.err.starts_with("mh_ruvivuvaz-cli: ")) << run.err;
            EXPECT_NE(run.err.find(c.said), std::string::npos) << run.err;
        }
    }
}

TEST_F(SearchCommand, NamesASkippedDayAndGoesOn) {
    append(dir / "MHChatLog_2024_05_03.html", "\x89PNG\r\n");
    const Finished run = search({"集合", folder()});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 3);
    EXPECT_NE(run.err.find("2024-05-03"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("not a chat log"), std::string::npos) << run.err;
    EXPECT_TRUE(run.err.starts_with("mh_ruvivuvaz-cli: ")) << run.err;
}

TEST_F(SearchCommand, ADayThatCannotBeReadExitsTwoAfterEveryResult) {
    fs::create_directories(dir / "MHChatLog_2024_05_03.html");
    for (const auto& [text, lines] : {std::pair{"集合", 3}, std::pair{"解散", 0}}) {
        const Finished run = search({text, folder()});
        EXPECT_EQ(run.status, 2) << text;
        EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), lines) << text;
        EXPECT_NE(run.err.find("2024-05-03"), std::string::npos) << run.err;
    }
}

}  // namespace
