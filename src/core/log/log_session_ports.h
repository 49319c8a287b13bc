#pragma once
// What the log session talks to: the window that shows its state (the views'
// lines and the unread counters are in the core session), the followed log,
// the file dialog and the EXP monitor. The shell implements these; tests use
// fakes.

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "core/lines/chat_format.h"
#include "core/log/log_history.h"
#include "core/text/units.h"

namespace ruv {

// The commands that attach a log, named as in the File menu.
enum class AttachKind {
    Dialog,     // アタッチログ(&O): a file picked in the dialog
    Add,        // 追加アタッチ: a file picked in the dialog, views and EXP kept
    Today,      // Today's Log
    Yesterday,  // Yesterday's Log
    History,    // Log History 00 to 04
};

enum class StatusPanel { State = 0, Path = 1 };
enum class WindowCaption { Plain, Tidying };
enum class CommandState { Enabled, Disabled };

// The attach options of the オプション menu, as the session's state holds them.
struct AttachOptions {
    bool autoAttach = true;     // 自動で新規ログをアタッチする
    bool tidyOnAttach = false;  // アタッチ時に過去ログを整頓する
    bool ngOnTidy = false;      // 過去ログの整理にもNGを適用 (ruvivuvaz_view.ini)
    // 起動時に今日のログをアタッチする (ruvivuvaz_view.ini)
    bool attachTodayAtStart = false;
    // 日付が変わったらEXPの集計をやり直す (ruvivuvaz_view.ini): the switch to the
    // new day's log starts a new EXP session, as an attach does. Off, the
    // session goes on and only the chart starts the new day.
    bool resetExpAtSwitch = false;
    // MHFolderPath as read at start-up (CP932): the dialog's starting folder
    // and the folder of the daily logs offered.
    std::string logFolder;
};

// A File-menu item that attaches one known log.
struct LogOffer {
    std::string caption;  // CP932; empty until first offered (the design caption stays)
    std::string path;     // CP932, the log the item attaches
    bool offered = false;

    friend bool operator==(const LogOffer&, const LogOffer&) = default;
};

// The attach commands of the File menu as the window shows them.
struct AttachMenu {
    // Every attach command: disabled while a tidy runs.
    CommandState commands = CommandState::Enabled;
    LogOffer today;
    LogOffer yesterday;
    std::array<LogOffer, kLogHistoryMenuEntries> history;

    // An offering item is enabled while it has been offered and commands are.
    bool enabled(const LogOffer& offer) const {
        return offer.offered && commands == CommandState::Enabled;
    }
    friend bool operator==(const AttachMenu&, const AttachMenu&) = default;
};

class LogSessionDisplay {
  public:
    virtual ~LogSessionDisplay() = default;
    virtual void showStatus(StatusPanel panel, std::string_view cp932) = 0;
    // A running tidy's percentage holds the state panel until the tidy ends.
    virtual void showTidyProgress(std::string_view cp932) = 0;
    virtual void endTidyProgress(std::string_view attachState) = 0;
    virtual void showCaption(WindowCaption caption) = 0;
    virtual void showAttachMenu(const AttachMenu& menu) = 0;
    // A refused command: a warning box with an OK button.
    virtual void showWarning(std::string_view cp932) = 0;
};

// The live reader of the attached log and its folder watchers.
class FollowedLog {
  public:
    virtual ~FollowedLog() = default;
    // Follows the log from consumed on and watches its folder.
    virtual void follow(const std::filesystem::path& log, ByteOffset consumed) = 0;
    // Follows another log of the same folder from consumed on.
    virtual void switchFile(const std::filesystem::path& log, ByteOffset consumed) = 0;
    // Follows nothing and watches nothing.
    virtual void release() = 0;
    // Reads what is waiting now.
    virtual void catchUp() = 0;
};

enum class ChoiceOutcome { Cancelled, Chosen, Unrepresentable };

// The log the user chose: in the dialog, on the command line or by dropping
// it on the window.
struct ChosenLog {
    ChoiceOutcome outcome = ChoiceOutcome::Cancelled;
    std::string path;  // CP932 full path, for Chosen
};

// The file dialog (OpenDialog1). The file need not exist.
class LogFileChooser {
  public:
    virtual ~LogFileChooser() = default;
    // Unrepresentable: a name CP932 cannot hold.
    virtual ChosenLog chooseLog(std::string_view cp932InitialFolder) = 0;
};

// What attaching a log does to the EXP monitor.
class ExpAttachEvents {
  public:
    virtual ~ExpAttachEvents() = default;
    // Every figure back to 0, the clock off; the chosen interval stays.
    virtual void ResetForAttach() = 0;
    // A gain found while sorting the log's earlier lines: day totals only, and
    // the hour its time stamp names.
    virtual void AddDayGain(std::int64_t amount, std::string_view stamp) = 0;
    // A level-up found while sorting, for the hourly chart only.
    virtual void AddTidiedLevelUp(std::string_view /*stamp*/) {}
    // The switch to the new day's log keeps the session: the chart alone
    // starts anew, as it holds one day.
    virtual void StartNewDayChart() = 0;
    // The path the status bar shows while it does not show the hourly rate.
    virtual void SetAttachedLogPath(std::string_view cp932Path) = 0;
};

}  // namespace ruv
