// mh_ruvivuvaz-cli rules, run as a process over a real log and rules file.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/child_process.h"
#include "support/cp932_text.h"
#include "support/log_lines.h"
#include "support/process_helpers.h"
#include "support/writer_log.h"

namespace {

using namespace ruv::testing;
using namespace std::chrono_literals;

struct Finished {
    int status = -1;
    std::string out;
    std::string err;
};

Finished rules(std::vector<std::string> args) {
    args.insert(args.begin(), {RUVIVUVAZ_CLI, "rules"});
    ChildProcess cli(args, ChildProcess::Output::Captured);
    Finished run;
    run.out = readToEnd(cli.stdoutFd());
    run.err = readToEnd(cli.stderrFd());
    const auto status = cli.waitFor(10s);
    run.status = status && WIFEXITED(*status) ? WEXITSTATUS(*status) : -1;
    return run;
}

class RulesCommand : public ::testing::Test {
  protected:
    RulesCommand() {
        append(
            log,
            chatLine("f7b73c", sj("荒らし : 集合"), TagForm::BlankBefore, "[05/01 21:00:00] ") +
                "\n" +
                chatLine("c8ffc8", sj("ミカ : 集合です"), TagForm::BlankBefore,
                         "[05/01 21:00:30] ") +
                "\n" +
                chatLine("94ddfa", sj("カイ : 解散"), TagForm::BlankBefore, "[05/01 21:02:00] ") +
                "\n");
        append(ruleFile, R"({"rules": [
  {"name": "集合", "pattern": "集合", "cooldownSeconds": 60, "sound": "call.wav"},
  {"name": "クラブ", "channels": ["クラブ"]}
]})");
        fs::create_directories(settings);
        append(settings / "config.ini", "NGWordCheck=1\r\n");  // NGユーザーを適用
        append(settings / "nguserlist.txt", sj("荒らし") + "\r\n");
    }

    TempDir dir;
    fs::path log = dir.path() / "MHChatLog_2024_05_01.html";
    fs::path ruleFile = dir.path() / "rules.json";
    fs::path settings = dir.path() / "settings";
};

TEST_F(RulesCommand, PrintsEachHitInLineThenRuleOrderWithItsCooldown) {
    const Finished run = rules({ruleFile.string(), log.string()});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out,
              "[05/01 21:00:00]\tチーム\t集合\t1\t荒らし : 集合\n"
              "[05/01 21:00:30]\t一般\t集合\t0\tミカ : 集合です\n"
              "[05/01 21:02:00]\tクラブ\tクラブ\t1\tカイ : 解散\n");
    const Finished held = rules({ruleFile.string(), log.string(), "--settings", settings.string()});
    EXPECT_EQ(held.out,
              "[05/01 21:00:30]\t一般\t集合\t1\tミカ : 集合です\n"
              "[05/01 21:02:00]\tクラブ\tクラブ\t1\tカイ : 解散\n");
}

TEST_F(RulesCommand, PrintsEachTimersStartAndEndOnTheLinesOwnTime) {
    const fs::path timed = dir.path() / "timed.json";
    append(timed, R"({"rules": [
  {"name": "集合", "pattern": "集合", "timer": {"name": "{speaker}の集合", "duration": 60}},
  {"name": "解散", "pattern": "解散", "timer": {"name": "解散", "duration": "1分30秒"}}
]})");
    const Finished run = rules({timed.string(), log.string()});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out,
              "[05/01 21:00:00]\tチーム\t集合\t1\t荒らし : 集合\n"
              "[05/01 21:00:00]\t\t集合\tstart\t荒らしの集合 (0:01:00)\n"
              "[05/01 21:00:30]\t一般\t集合\t1\tミカ : 集合です\n"
              "[05/01 21:00:30]\t\t集合\tstart\tミカの集合 (0:01:00)\n"
              "[05/01 21:01:00]\t\t集合\tend\t荒らしの集合 (0:01:00)\n"
              "[05/01 21:01:30]\t\t集合\tend\tミカの集合 (0:01:00)\n"
              "[05/01 21:02:00]\tクラブ\t解散\t1\tカイ : 解散\n"
              "[05/01 21:02:00]\t\t解散\tstart\t解散 (0:01:30)\n"
              "[05/01 21:03:30]\t\t解散\tend\t解散 (0:01:30)\n");
}

TEST_F(RulesCommand, ExitsOneWithoutAHitAndTwoOnAnErrorNamingIt) {
    const fs::path none = dir.path() / "none.json";
    append(none, R"({"rules": [{"name": "無", "pattern": "存在しない"}]})");
    const fs::path invalid = dir.path() / "invalid.json";
    append(invalid, R"({"rules": [{"name": "壊れた", "pattern": "(a", "regex": true}]})");
    const fs::path damaged = dir.path() / "damaged.json";
    append(damaged, "{\"rules\": [\n  {\"name\": 3}\n]}");

    EXPECT_EQ(rules({none.string(), log.string()}).status, 1);
    const Finished bad = rules({invalid.string(), log.string()});
    EXPECT_EQ(bad.status, 2);
    EXPECT_EQ(bad.err.rfind("mh_ruvivuvaz-cli: " + invalid.string() + ": rule \"壊れた\": ", 0), 0u)
        << bad.err;
    const Finished broken = rules({damaged.string(), log.string()});
    EXPECT_EQ(broken.status, 2);
    EXPECT_EQ(broken.err.rfind("mh_ruvivuvaz-cli: " + damaged.string() + ": line 2: ", 0), 0u)
        << broken.err;
    EXPECT_EQ(rules({ruleFile.string(), (dir.path() / "gone.html").string()}).status, 2);
}

TEST_F(RulesCommand, ARulesFileNestedHoweverDeepIsAnErrorNamingItsLine) {
    const fs::path deep = dir.path() / "deep.json";
    append(deep, "{\"rules\": [{\"name\": \"a\",\n  \"channels\": [\"チーム\", " +
                     std::string(100'000, '[') + std::string(100'000, ']') + "]}]}");
    const Finished run = rules({deep.string(), log.string()});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err.rfind("mh_ruvivuvaz-cli: " + deep.string() + ": line 2: ", 0), 0u) << run.err;
    EXPECT_LT(run.err.size(), deep.string().size() + 200) << run.err;
}

}  // namespace
