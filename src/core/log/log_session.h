#pragma once
// The session of attaching: which log is followed, the recent-log list and
// the File menu's offers, the attach sequence of every command, past-log
// tidying in resumable slices and the switch to the new day's log after its
// wait. The window shows what the session reports and turns its menu
// commands into calls on it.

#include <cstddef>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "core/lines/unreadable_lines.h"
#include "core/log/log_history.h"
#include "core/log/log_session_ports.h"
#include "core/log/past_log_sort.h"
#include "core/log/tidy_ng.h"
#include "core/platform/clock.h"
#include "core/platform/error_log.h"
#include "core/platform/shared_file.h"
#include "core/platform/timer.h"
#include "core/text/units.h"
#include "core/views/channel_book.h"
#include "core/views/unread_counters.h"

namespace ruv {

struct LogSessionTiming {
    // How long auto-attach lets the game finish creating its new log.
    platform::Microseconds autoAttachWait{1'500'000};
    // The longest slice of tidying; the event loop runs between slices.
    platform::Microseconds tidySlice{8'000};
    // Lines sorted between looks at the clock.
    LineCount linesPerStep{256};
};

struct LogSessionPorts {
    LogSessionDisplay& display;
    FollowedLog& log;
    LogFileChooser& chooser;
    const platform::FileOpener& files;
    platform::ErrorLog& errors;
    const platform::Clock& clock;
    platform::Timers& timers;
};

// The session's state an attach changes (the views' lines, the unread
// counters and the EXP figures) and the options it reads.
struct LogSessionState {
    ChannelBook& book;
    UnreadCounters& unread;
    const AttachOptions& options;
    ExpAttachEvents& exp;
};

class RuleEngine;

class LogSession final : private PastLogSink {
  public:
    LogSession(LogSessionPorts ports, LogSessionState state, LogSessionTiming timing = {});
    ~LogSession() override;
    LogSession(const LogSession&) = delete;
    LogSession& operator=(const LogSession&) = delete;

    // --- Commands --------------------------------------------------------
    // Runs the attach sequence of a File-menu command; historyEntry names the
    // Log History item (0 to 4) for AttachKind::History.
    void attach(AttachKind kind, std::size_t historyEntry = 0);
    // Attaches a log the user named outside the File menu (on the command
    // line, or by dropping it on the window) exactly as アタッチログ does once
    // its dialog has answered. While a tidy runs it waits, the last one named,
    // and is attached when the tidy ends.
    void attachChosen(const ChosenLog& chosen);
    // A file was created, deleted or renamed in the attached log's folder.
    void fileNamesChanged();
    // Start-up, with 起動時に今日のログをアタッチする on and a log folder known:
    // attaches today's log as Today's Log does. Until the game has created it,
    // looks for it again after every wait of auto-attach and follows it from
    // its first byte once it is there. Any attach ends the wait.
    void attachTodaysLogAtStart();
    bool awaitingTodaysLog() const { return awaitingTodaysLog_; }

    // --- Options ---------------------------------------------------------
    // Tidied lines the rule holds back go to the NGフィルター view alone.
    void holdBackWith(TidyNgRule& rule) { tidyNg_ = &rule; }
    // Takes effect from the next wait or slice.
    void setTiming(LogSessionTiming timing) { timing_ = timing; }

    // --- Start-up and exit ------------------------------------------------
    // loghistoryslist.txt in the settings folder; an empty folder reads and
    // writes nothing. Throw config::ConfigError.
    void loadHistory(const std::filesystem::path& settingsFolder);
    void saveHistory(const std::filesystem::path& settingsFolder) const;
    // The history entries whose logs exist, and Today's and Yesterday's logs
    // of the log folder, are offered in the File menu.
    void fillLogMenus();
    // Moves a path (CP932) to the head of the recent-log list and offers every
    // entry.
    void recordHistory(std::string_view cp932Path);

    // --- State -------------------------------------------------------------
    // MHFolderPath with one trailing separator.
    std::string logFolder() const;
    // The attached log (CP932) as the user chose it, and its folder with its
    // trailing separator; empty before the first attach.
    const std::string& attachedPath() const { return attachedPath_; }
    std::string attachedFolder() const;
    const LogHistoryList& history() const { return history_; }
    const AttachMenu& menu() const { return menu_; }
    // The earlier lines of the last attached log are being sorted.
    bool tidying() const { return sort_.has_value(); }
    // The attach commands wait while a tidy runs: a second attach would leave
    // the rest of the first log's lines unsorted.
    bool attachCommandsEnabled() const { return menu_.commands == CommandState::Enabled; }
    // The share of the log's earlier bytes sorted so far, 0 to 100; 100 when
    // no tidy runs.
    int tidyPercent() const;

    // Lines that cannot be read, named once whether tidying or the live reader
    // (which should name them here too) meets them first.
    UnreadableLines& unreadableLines() noexcept { return unreadable_; }

    // Tidied lines are coloured by these rules, which fire nothing for them.
    // The rules must outlive the session.
    void colourTidiedLinesBy(RuleEngine& rules) { tidyRules_ = &rules; }

  private:
    // PastLogSink: the tidied lines go to the views, their gains to the EXP monitor.
    void append(ChatChannel view, std::string_view text, Colour colour) override;
    void addDayGain(std::int64_t amount, std::string_view stamp) override;
    void levelUp(std::string_view stamp) override;
    void unreadableGain(std::string_view display) override;
    void lineSorted(ChatChannel own, std::string_view display) override;
    bool heldBack(std::string_view raw, std::string_view display) override;

    void runAttachCommand(std::string_view failureText, const std::function<void()>& steps);
    std::optional<std::string> pathToAttach(AttachKind kind, std::size_t historyEntry);
    std::optional<std::string> dialogAnswer(const ChosenLog& chosen);
    // Where following starts: after the lines the log holds now (tidied or
    // not), or at its first byte, for a log the game has only just created.
    enum class FollowFrom { AttachPoint, FirstByte };
    void attachPath(const std::string& cp932Path, AttachKind kind, std::string_view failureText,
                    FollowFrom from = FollowFrom::AttachPoint);
    // Today's log of the log folder, attached if it is there, else waited for.
    void lookForTodaysLog(FollowFrom from);
    void attachReset();
    void startTidy(std::string_view failureText);
    void runTidySlice();
    void stopTidy();
    void showTidyProgress();
    void followAttachedLog();
    void autoAttachWaitOver();
    void checkForNewDaysLog();
    // The new day's log for the attached one, when the folder holds it now.
    std::optional<std::string> newDaysLogPresent() const;
    void offerDailyLogs(std::string_view cp932Folder);
    void publishMenu();
    void reportFailure(std::string_view handlerText);

    LogSessionPorts ports_;
    LogSessionState state_;
    RuleEngine* tidyRules_ = nullptr;
    // The background of the tidied line being appended.
    std::optional<Colour> tidyBackground_;
    LogSessionTiming timing_;
    LogHistoryList history_;
    std::string attachedPath_;
    AttachMenu menu_;

    // Tidying of the last attach, and where the live reader takes over once
    // it is done.
    std::optional<PastLogSort> sort_;
    std::filesystem::path pendingLog_;
    ByteOffset pendingConsumed_;
    std::string tidyFailureText_;
    UnreadableLines unreadable_{ports_.errors};
    TidyNgRule* tidyNg_ = nullptr;
    std::unique_ptr<platform::Timer> nextSlice_;
    // Nothing watches the folder while tidying: the new day's log present
    // when the tidy began, to tell at its end whether one appeared meanwhile.
    std::optional<std::string> newDaysLogBeforeTidy_;
    // A log named (handed over by a later start) while tidying.
    std::optional<ChosenLog> chosenDuringTidy_;

    // Auto-attach: notices during the wait lead to one more check after it.
    std::unique_ptr<platform::Timer> autoAttachWait_;
    bool moreNamesChanged_ = false;
    // Attach at start: today's log is looked for again after each wait.
    std::unique_ptr<platform::Timer> todaysLogWait_;
    bool awaitingTodaysLog_ = false;
};

// Whether a regular file (not a folder) exists at a CP932 path.
bool logFileExists(std::string_view cp932Path);

}  // namespace ruv
