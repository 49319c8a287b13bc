// The log session with real log files in a temporary folder, its waits and
// slices on a clock that moves only when told.

#include "core/log/log_session.h"

#include <gtest/gtest.h>

#include <optional>

#include "core/exp/exp_session.h"
#include "core/platform/native_path.h"
#include "support/exp_fakes.h"
#include "support/log_lines.h"
#include "support/log_session_fakes.h"
#include "support/temp_folder.h"

namespace ruv::testing {
namespace {

using namespace std::chrono_literals;

constexpr platform::LocalDateTime kNow{2024, 3, 1, 0, 5, 0};
const std::string kYesterdaysName = "MHChatLog_2024_02_29.html";
const std::string kTodaysName = "MHChatLog_2024_03_01.html";
const std::string kHeader = std::string(markers::kHeaderBody) + "\n";

class LogSessionTest : public ::testing::Test {
  protected:
    void SetUp() override { start({}); }

    void start(LogSessionTiming timing) {
        views.options.logFolder = text(folder.path());
        session.emplace(LogSessionPorts{display, follower, chooser, files, errors, clock, timers},
                        views.state(exp), timing);
    }
    // Attaches tidy from now on, one step of `lines` a slice.
    void startTidyingStepBySlice(LineCount lines) {
        LogSessionTiming oneStepPerSlice;
        oneStepPerSlice.tidySlice = 0us;
        oneStepPerSlice.linesPerStep = lines;
        start(oneStepPerSlice);
        views.options.tidyOnAttach = true;
    }
    static std::string text(const std::filesystem::path& path) {
        return platform::fromNativePath(path).value();
    }
    std::filesystem::path write(const std::string& name, const std::string& bytes) const {
        writeBytes(folder / name, bytes);
        return folder / name;
    }
    static void append(const std::filesystem::path& path, const std::string& bytes) {
        writeBytes(path, readBytes(path) + bytes);
    }
    static std::string teamLine(const std::string& body) { return chatLine("f7b73c", body) + "\n"; }
    // Attaches yesterday's daily log through Yesterday's Log.
    std::filesystem::path attachYesterdaysLog() {
        const auto log = write(kYesterdaysName, kHeader + teamLine("Ren : evening"));
        session->fillLogMenus();
        session->attach(AttachKind::Yesterday);
        EXPECT_EQ(follower.tail.path(), log);
        return log;
    }

    TempFolder folder;
    platform::ManualClock clock{kNow};
    platform::ManualTimers timers;
    platform::NativeFileOpener files;
    RecordingErrors errors;
    RecordingDisplay display;
    LogSessionBook views;
    FileFollower follower{files, errors, clock};
    ScriptedChooser chooser;
    RecordingExpAttach exp;
    std::optional<LogSession> session;
};

// --- Tidying -------------------------------------------------------------------

TEST_F(LogSessionTest, AttachCommandsWaitForTheRunningTidyWhichShowsItsProgress) {
    startTidyingStepBySlice(LineCount{10});
    std::string bytes = kHeader;
    for (int i = 10; i < 50; ++i) {
        bytes += teamLine("Ren : " + std::to_string(i));
    }
    const auto log = write("a.html", bytes);
    const auto other = write("b.html", kHeader);
    session->recordHistory(text(other));
    chooser.answer = {ChoiceOutcome::Chosen, text(log)};
    session->attach(AttachKind::Dialog);

    ASSERT_TRUE(session->tidying());
    EXPECT_EQ(display.menu.commands, CommandState::Disabled);
    EXPECT_FALSE(display.menu.enabled(display.menu.history[1]));
    EXPECT_EQ(display.status[StatusPanel::State], "整頓 0%");
    ASSERT_TRUE(timers.runNext());
    const std::size_t sorted =
        kHeader.size() + views.lineCount(ChatChannel::Team) * teamLine("Ren : 10").size();
    EXPECT_EQ(display.status[StatusPanel::State],
              "整頓 " + std::to_string(sorted * 100 / bytes.size()) + "%");

    // A command given anyway neither stops the tidy nor attaches.
    session->attach(AttachKind::History, 1);
    session->attach(AttachKind::Dialog);
    EXPECT_TRUE(session->tidying());
    EXPECT_EQ(chooser.folders.size(), 1u);
    EXPECT_EQ(session->attachedPath(), text(log));

    while (timers.runNext()) {
    }
    EXPECT_EQ(views.lineCount(ChatChannel::Team), 40u);
    EXPECT_EQ(display.menu.commands, CommandState::Enabled);
    EXPECT_TRUE(display.menu.enabled(display.menu.history[1]));
    EXPECT_EQ(display.status[StatusPanel::State], "アタッチ");
    EXPECT_EQ(follower.tail.path(), log);
}

TEST_F(LogSessionTest, TidyingHandsTheEarlierLevelUpsToTheChartWithTheirTimeStamps) {
    startTidyingStepBySlice(LineCount{10});
    const auto log = write(kYesterdaysName, kHeader + gainLine("100") + "\n" +
                                                chatLine("ff64ff", markers::kLevelUp) + "\n");
    session->fillLogMenus();
    session->attach(AttachKind::Yesterday);
    while (timers.runNext()) {
    }
    EXPECT_EQ(exp.gains, std::vector<std::int64_t>{100});
    EXPECT_EQ(exp.levelUps, std::vector<std::string>{std::string(kStamp)});
}

TEST_F(LogSessionTest, NewDaysLogCreatedWhileTidyingIsFollowedOnceTheTidyEnds) {
    startTidyingStepBySlice(LineCount{1});
    const auto yesterday = write(kYesterdaysName, kHeader + teamLine("Ren : evening"));
    session->fillLogMenus();
    session->attach(AttachKind::Yesterday);
    ASSERT_TRUE(session->tidying());
    // Midnight passes while the earlier lines are sorted; no watcher runs.
    const auto today = write(kTodaysName, kHeader + teamLine("Ren : morning"));
    while (timers.runNext()) {
    }
    EXPECT_EQ(follower.tail.path(), yesterday);
    timers.advance(1500ms);
    EXPECT_EQ(follower.tail.path(), today);

    // A new day's log that was there before the tidy is no news at its end.
    session->attach(AttachKind::Yesterday);
    ASSERT_TRUE(session->tidying());
    while (timers.runNext()) {
    }
    timers.advance(1500ms);
    EXPECT_EQ(follower.tail.path(), yesterday);
}

// The second open of a log is the tidy's read of its earlier lines, which runs
// out of memory.
class OutOfMemoryOnSecondOpen final : public platform::FileOpener {
  public:
    using platform::FileOpener::openShared;
    std::unique_ptr<platform::SharedReadFile> openShared(const std::filesystem::path& path,
                                                         std::error_code& why) const override {
        class Exhausted final : public platform::SharedReadFile {
          public:
            explicit Exhausted(std::unique_ptr<platform::SharedReadFile> file)
                : file_(std::move(file)) {}
            std::optional<ByteOffset> size() override { return file_->size(); }
            bool seek(ByteOffset offset) override { return file_->seek(offset); }
            std::optional<std::size_t> read(std::span<char>) override { throw std::bad_alloc(); }
            std::error_code lastError() const override { return file_->lastError(); }

          private:
            std::unique_ptr<platform::SharedReadFile> file_;
        };
        auto file = native_.openShared(path, why);
        if (++opens_ < 2 || !file) {
            return file;
        }
        return std::make_unique<Exhausted>(std::move(file));
    }

  private:
    platform::NativeFileOpener native_;
    mutable int opens_ = 0;
};

TEST_F(LogSessionTest, TidyWhoseReadRunsOutOfMemoryStillFollowsTheLogFromItsAttachPoint) {
    OutOfMemoryOnSecondOpen exhausted;
    session.emplace(LogSessionPorts{display, follower, chooser, exhausted, errors, clock, timers},
                    views.state(exp), LogSessionTiming{});
    views.options.tidyOnAttach = true;
    const auto log = attachYesterdaysLog();
    EXPECT_FALSE(session->tidying());
    EXPECT_EQ(follower.tail.consumed(),
              ByteOffset{static_cast<std::int64_t>(readBytes(log).size())});
    EXPECT_EQ(errors.lines.size(), 1u);
    EXPECT_EQ(display.caption, WindowCaption::Plain);
    EXPECT_EQ(display.menu.commands, CommandState::Enabled);
}

// --- What an attach resets -------------------------------------------------------

TEST_F(LogSessionTest, AttachClearsEveryViewButNgAndTheirCountersWhileAnAddedLogKeepsThem) {
    struct Case {
        AttachKind kind;
        std::size_t normalLines;
        std::int32_t teamCount;
    };
    for (const Case c : {Case{AttachKind::Dialog, 0, 0}, Case{AttachKind::Add, 1, 1}}) {
        SCOPED_TRACE(static_cast<int>(c.kind));
        views.book.append(ChatChannel::Normal, "old", colours::kOpenWhite);
        views.book.append(ChatChannel::NG, "held back", colours::kOpenWhite);
        views.unread.raise(Tab::Team);
        views.unread.raise(Tab::NG);
        chooser.answer = {ChoiceOutcome::Chosen, text(write("a.html", kHeader))};

        session->attach(c.kind);
        EXPECT_EQ(views.lineCount(ChatChannel::Normal), c.normalLines);
        EXPECT_EQ(views.lineCount(ChatChannel::NG), 1u);
        EXPECT_EQ(views.unread.count(Tab::Team), c.teamCount);
        EXPECT_EQ(views.unread.count(Tab::NG), 1);
        views.book.clear(ChatChannel::Normal);
        views.book.clear(ChatChannel::NG);
        views.unread.reset(Tab::Team);
        views.unread.reset(Tab::NG);
    }
}

// --- A log named on the command line or dropped on the window --------------------

TEST_F(LogSessionTest, ChosenLogRunsTheDialogsAttachAndWaitsForARunningTidy) {
    views.options.tidyOnAttach = true;
    const auto log = write("a.html", kHeader + teamLine("Ren : 1") + teamLine("Ren : 2"));
    const auto other = write("b.html", kHeader);
    session->attachChosen({ChoiceOutcome::Chosen, text(log)});
    ASSERT_TRUE(session->tidying());
    EXPECT_EQ(display.caption, WindowCaption::Tidying);
    // Handed over by a later start while the tidy runs: attached once it ends.
    session->attachChosen({ChoiceOutcome::Chosen, text(other)});
    EXPECT_EQ(exp.paths, std::vector<std::string>{text(log)});
    while (timers.runNext()) {
    }

    EXPECT_EQ(display.caption, WindowCaption::Plain);
    EXPECT_EQ(session->history().entries(), (config::TextLines{text(other), text(log)}));
    EXPECT_EQ(display.menu.history[0].path, text(other));
    EXPECT_EQ(display.status[StatusPanel::Path], text(other));
    EXPECT_EQ(display.status[StatusPanel::State], "アタッチ");
    EXPECT_EQ(exp.paths, (std::vector<std::string>{text(log), text(other)}));
    EXPECT_EQ(follower.tail.path(), other);
    EXPECT_TRUE(chooser.folders.empty());

    // What the dialog refuses is refused the same way; the attached log stays.
    session->attachChosen({ChoiceOutcome::Chosen, text(folder / "typed.html")});
    session->attachChosen({ChoiceOutcome::Unrepresentable, {}});
    EXPECT_EQ(display.warnings,
              std::vector<std::string>(2, "ファイルサイズの取得に失敗しました。"));
    EXPECT_EQ(follower.tail.path(), other);
    EXPECT_EQ(session->history().size(), 2u);
    // The message names no file: the error log names the one typed.
    ASSERT_EQ(errors.lines.size(), 1u);
    EXPECT_EQ(cp932::toUtf8(errors.lines[0]),
              "ファイルサイズの取得に失敗しました。 " + text(folder / "typed.html") +
                  ": ファイルがありません。 " + platform::formatDateTime(clock.now()));
}

// --- Auto-attach -------------------------------------------------------------

TEST_F(LogSessionTest, NewDaysLogIsFollowedFromItsFirstByteAfterTheWait) {
    const auto yesterday = attachYesterdaysLog();
    const auto today = write(
        kTodaysName, kHeader + teamLine("Ren : 1") + teamLine("Ren : 2") + teamLine("Ren : 3"));
    // The first name change since start-up: the game created the new day's log.
    session->fileNamesChanged();
    timers.advance(1500ms - 1us);
    EXPECT_EQ(follower.tail.path(), yesterday);
    timers.advance(1us);
    ASSERT_EQ(follower.tail.path(), today);
    EXPECT_EQ(follower.tail.consumed(), ByteOffset{0});

    follower.catchUp();
    append(today, teamLine("Ren : 4") + teamLine("Ren : 5") + teamLine("Ren : 6"));
    follower.catchUp();
    std::vector<std::string> everyLine;
    const std::string bytes = readBytes(today);
    for (std::size_t at = 0, feed = 0; (feed = bytes.find('\n', at)) != std::string::npos;
         at = feed + 1) {
        everyLine.push_back(bytes.substr(at, feed - at));
    }
    ASSERT_EQ(everyLine.size(), 7u);
    EXPECT_EQ(follower.routed, everyLine);
    EXPECT_EQ(display.status[StatusPanel::Path], text(today));
    EXPECT_EQ(display.menu.today.path, text(today));
    EXPECT_EQ(exp.paths.back(), text(today));
    EXPECT_EQ(session->history().size(), 1u);
    EXPECT_TRUE(errors.lines.empty());
}

TEST_F(LogSessionTest, NonDailyLogNameMeansNothingToSwitchTo) {
    write(kTodaysName, kHeader);
    for (const std::string name : {"backup.html", "MHChatLog_2026_12_01 (1).html"}) {
        const auto log = write(name, kHeader);
        chooser.answer = {ChoiceOutcome::Chosen, text(log)};
        session->attach(AttachKind::Dialog);
        session->fileNamesChanged();
        timers.advance(1500ms);
        EXPECT_EQ(follower.tail.path(), log) << name;
    }
    EXPECT_TRUE(errors.lines.empty());
}

TEST_F(LogSessionTest, NoticesDuringTheWaitLeadToOneMoreCheckAndTheOptionOffStays) {
    attachYesterdaysLog();
    session->fileNamesChanged();
    timers.advance(1500ms);

    session->fileNamesChanged();
    timers.advance(1000ms);
    session->fileNamesChanged();  // during the wait
    const auto today = write(kTodaysName, kHeader);
    views.options.autoAttach = false;
    timers.advance(500ms);
    EXPECT_NE(follower.tail.path(), today);

    views.options.autoAttach = true;
    timers.advance(1500ms - 1us);
    EXPECT_NE(follower.tail.path(), today);
    timers.advance(1us);
    EXPECT_EQ(follower.tail.path(), today);
    EXPECT_FALSE(timers.runNext());
    EXPECT_TRUE(errors.lines.empty());
}

// --- The EXP session across the switch ------------------------------------------

struct NoNotices final : ExpNotices {
    void figuresChanged(ExpRefresh) override {}
};

TEST_F(LogSessionTest, TheSwitchKeepsTheExpSessionUnlessToldToStartAfreshWhileTheChartShowsOneDay) {
    struct Case {
        bool reset;
        const char* gained;
        const char* gainCount;
    };
    for (const Case c : {Case{true, "500", "1"}, Case{false, "1500", "2"}}) {
        SCOPED_TRACE(c.reset);
        ExpHarness ports;
        NoNotices notices;
        ExpSession expSession(
            ExpPorts{ports.clock, ports.timer, ports.errors, ports.questions, ports.statusBar},
            notices);
        session.emplace(LogSessionPorts{display, follower, chooser, files, errors, clock, timers},
                        views.state(expSession), LogSessionTiming{});
        views.options.resetExpAtSwitch = c.reset;
        std::filesystem::remove(folder / kTodaysName);
        attachYesterdaysLog();
        expSession.RecordGain(1000, "[2024/02/29 23:50]");
        for (int second = 0; second < 600; ++second) {
            expSession.stats().tick();  // as Timer01 would
        }

        write(kTodaysName, kHeader);
        session->fileNamesChanged();
        timers.advance(1500ms);
        ASSERT_EQ(follower.tail.path(), folder / kTodaysName);
        expSession.RecordGain(500, "[2024/03/01 00:05]");

        EXPECT_EQ(expSession.stats().view().gained, c.gained);
        EXPECT_EQ(expSession.stats().view().gainCount, c.gainCount);
        EXPECT_EQ(expSession.stats().elapsedSeconds(), c.reset ? 0 : 600);
        EXPECT_EQ(expSession.hourly().total(), 500);
        EXPECT_EQ(expSession.hourly().expInHour(23), 0);
        EXPECT_EQ(expSession.hourly().expInHour(0), 500);
        session.reset();  // before the EXP session it reports to
    }
}

// --- Attaching today's log at start ----------------------------------------------

TEST_F(LogSessionTest, AttachAtStartTakesTodaysLogAsTodaysLogDoes) {
    views.options.attachTodayAtStart = true;
    const auto today = write(kTodaysName, kHeader + teamLine("Ren : 1"));
    session->fillLogMenus();
    session->attachTodaysLogAtStart();
    EXPECT_FALSE(session->awaitingTodaysLog());
    EXPECT_EQ(follower.tail.path(), today);
    EXPECT_EQ(follower.tail.consumed(),
              ByteOffset{static_cast<std::int64_t>(readBytes(today).size())});
    EXPECT_EQ(session->history().entries(), config::TextLines{text(today)});
    EXPECT_EQ(display.status[StatusPanel::Path], text(today));
    EXPECT_EQ(exp.resets, 1);
    EXPECT_FALSE(timers.runNext());
}

TEST_F(LogSessionTest, AttachAtStartWaitsForTodaysLogAndFollowsItFromItsFirstByte) {
    views.options.attachTodayAtStart = true;
    views.options.tidyOnAttach = true;  // a log read from its first byte has nothing to tidy
    write(kYesterdaysName, kHeader + teamLine("Ren : evening"));
    session->fillLogMenus();
    session->attachTodaysLogAtStart();
    ASSERT_TRUE(session->awaitingTodaysLog());
    EXPECT_TRUE(follower.tail.path().empty());
    EXPECT_EQ(display.status[StatusPanel::Path],
              "今日のログを待っています: " + text(folder / kTodaysName));
    timers.advance(1500ms);
    EXPECT_TRUE(follower.tail.path().empty());

    const auto today = write(kTodaysName, kHeader + teamLine("Ren : 1"));
    timers.advance(1500ms - 1us);
    EXPECT_TRUE(follower.tail.path().empty());
    timers.advance(1us);
    ASSERT_EQ(follower.tail.path(), today);
    EXPECT_EQ(follower.tail.consumed(), ByteOffset{0});
    EXPECT_FALSE(session->tidying());
    EXPECT_FALSE(session->awaitingTodaysLog());
    follower.catchUp();
    EXPECT_EQ(follower.routed.size(), 2u);
    EXPECT_EQ(display.status[StatusPanel::Path], text(today));
    EXPECT_EQ(display.menu.today.path, text(today));
    EXPECT_EQ(session->history().entries(), config::TextLines{text(today)});
    EXPECT_FALSE(timers.runNext());
}

TEST_F(LogSessionTest, AttachAtStartDoesNothingWhenOffAndAnyAttachEndsItsWait) {
    session->attachTodaysLogAtStart();
    EXPECT_FALSE(session->awaitingTodaysLog());
    EXPECT_FALSE(timers.runNext());

    views.options.attachTodayAtStart = true;
    session->attachTodaysLogAtStart();
    ASSERT_TRUE(session->awaitingTodaysLog());
    const auto chosen = write("a.html", kHeader);
    chooser.answer = {ChoiceOutcome::Chosen, text(chosen)};
    session->attach(AttachKind::Dialog);
    EXPECT_FALSE(session->awaitingTodaysLog());
    write(kTodaysName, kHeader);
    timers.advance(1500ms);
    EXPECT_EQ(follower.tail.path(), chosen);
}

}  // namespace
}  // namespace ruv::testing
