#include "core/log/log_session.h"

#include <array>
#include <exception>
#include <system_error>
#include <utility>

#include "core/log/attach_point.h"
#include "core/log/attach_texts.h"
#include "core/log/auto_attach.h"
#include "core/log/unattachable_log.h"
#include "core/platform/native_path.h"
#include "core/vocabulary/channel_table.h"

namespace ruv {

namespace {

void offer(LogOffer& item, std::string_view caption, std::string_view cp932Path) {
    item = {std::string(caption), std::string(cp932Path), true};
}

}  // namespace

bool logFileExists(std::string_view cp932Path) {
    const auto native = platform::toNativePath(cp932Path);
    std::error_code status;
    return native && std::filesystem::exists(*native, status) &&
           !std::filesystem::is_directory(*native, status);
}

LogSession::LogSession(LogSessionPorts ports, LogSessionState state, LogSessionTiming timing)
    : ports_(ports),
      state_(state),
      timing_(timing),
      nextSlice_(ports.timers.create([this] { runTidySlice(); })),
      autoAttachWait_(ports.timers.create([this] { autoAttachWaitOver(); })),
      todaysLogWait_(ports.timers.create([this] { lookForTodaysLog(FollowFrom::FirstByte); })) {}

LogSession::~LogSession() = default;

void LogSession::reportFailure(std::string_view handlerText) {
    platform::reportFailure(ports_.errors, ports_.clock, handlerText);
}

// --- The attach sequence ---------------------------------------------------

void LogSession::attach(AttachKind kind, std::size_t historyEntry) {
    const std::string_view failureText =
        kind == AttachKind::Dialog ? kAttachFailureText : kLogChangeFailureText;
    runAttachCommand(failureText, [&] {
        if (const std::optional<std::string> path = pathToAttach(kind, historyEntry)) {
            attachPath(*path, kind, failureText);
        }
    });
}

void LogSession::attachChosen(const ChosenLog& chosen) {
    if (tidying()) {
        chosenDuringTidy_ = chosen;
        return;
    }
    runAttachCommand(kAttachFailureText, [&] {
        if (const std::optional<std::string> path = dialogAnswer(chosen)) {
            attachPath(*path, AttachKind::Dialog, kAttachFailureText);
        }
    });
}

void LogSession::runAttachCommand(std::string_view failureText,
                                  const std::function<void()>& steps) {
    if (!attachCommandsEnabled()) {
        return;
    }
    try {
        steps();
    } catch (const std::exception&) {
        reportFailure(failureText);
    }
    if (!tidying()) {
        ports_.display.showCaption(WindowCaption::Plain);
    }
}

// The path the command names, or empty when it ends here (cancelled or refused).
std::optional<std::string> LogSession::pathToAttach(AttachKind kind, std::size_t historyEntry) {
    std::string path;
    switch (kind) {
        case AttachKind::Dialog:
        case AttachKind::Add: {
            const ChosenLog chosen = ports_.chooser.chooseLog(logFolder());
            if (kind == AttachKind::Dialog) {
                // The dialog's own attach goes straight to the size query.
                return dialogAnswer(chosen);
            }
            if (chosen.outcome == ChoiceOutcome::Cancelled) {
                return std::nullopt;
            }
            path = chosen.path;
            break;
        }
        case AttachKind::Today:
            path = menu_.today.path;
            break;
        case AttachKind::Yesterday:
            path = menu_.yesterday.path;
            break;
        case AttachKind::History:
            if (historyEntry < menu_.history.size()) {
                path = menu_.history[historyEntry].path;
            }
            break;
    }
    if (!logFileExists(path)) {
        ports_.display.showWarning(attachText(AttachText::MissingFile));
        return std::nullopt;
    }
    return path;
}

std::optional<std::string> LogSession::dialogAnswer(const ChosenLog& chosen) {
    switch (chosen.outcome) {
        case ChoiceOutcome::Cancelled:
            return std::nullopt;
        case ChoiceOutcome::Unrepresentable:
            // A name CP932 cannot hold can be neither recorded nor shown.
            ports_.display.showWarning(attachText(AttachText::SizeUnavailable));
            return std::nullopt;
        case ChoiceOutcome::Chosen:
            break;
    }
    return chosen.path;
}

void LogSession::attachPath(const std::string& cp932Path, AttachKind kind,
                            std::string_view failureText, FollowFrom from) {
    const auto native = platform::toNativePath(cp932Path);
    std::optional<ByteOffset> size;
    std::error_code status;
    if (native && !std::filesystem::is_directory(*native, status)) {
        if (const auto file = ports_.files.openShared(*native)) {
            size = file->size();
            if (size && from == FollowFrom::FirstByte) {
                size = ByteOffset{0};
            } else if (size) {
                // A line the game is half-way through writing is delivered whole later.
                size = attachPoint(*file, *size);
            }
        }
    }
    if (!size) {
        ports_.display.showWarning(attachText(AttachText::SizeUnavailable));
        // The message names no file; the error log says which and why.
        ports_.errors.append(platform::errorLogLine(
            unattachableLogText(cp932Path, whyUnattachable(native)), ports_.clock.now()));
        return;
    }

    attachedPath_ = cp932Path;
    awaitingTodaysLog_ = false;
    todaysLogWait_->stop();
    pendingLog_ = *native;
    pendingConsumed_ = *size;
    // Followed from its first byte, a log has no earlier lines to sort.
    const bool tidy = state_.options.tidyOnAttach && from == FollowFrom::AttachPoint;
    if (tidy) {
        // Nothing is followed while the earlier lines are sorted, so lines
        // written meanwhile come after them, once.
        ports_.log.release();
    } else if (from == FollowFrom::FirstByte) {
        // Read at once: its lines are the day's first.
        ports_.log.switchFile(*native, *size);
    } else {
        ports_.log.follow(*native, *size);
    }

    ports_.display.showStatus(StatusPanel::Path, cp932Path);
    ports_.display.showStatus(StatusPanel::State, attachText(AttachText::AttachState));
    state_.exp.SetAttachedLogPath(cp932Path);
    recordHistory(cp932Path);
    if (kind != AttachKind::Add) {
        attachReset();
    }
    if (tidy) {
        startTidy(failureText);
    }
}

void LogSession::attachReset() {
    for (const ChannelRow& row : kChannelTable) {
        // The NG view keeps its lines across attaches.
        if (row.view == HasView::Yes && row.channel != ChatChannel::NG) {
            state_.book.clear(row.channel);
        }
    }
    state_.unread.resetAllButNg();
    state_.exp.ResetForAttach();
}

// --- History and the File menu's offers ----------------------------------------

void LogSession::recordHistory(std::string_view cp932Path) {
    history_.record(cp932Path);
    for (std::size_t i = 0; i < menu_.history.size(); ++i) {
        const std::string_view entry = history_.at(i);
        if (!entry.empty()) {
            offer(menu_.history[i], entry, entry);
        }
    }
    publishMenu();
}

void LogSession::loadHistory(const std::filesystem::path& settingsFolder) {
    if (!settingsFolder.empty()) {
        loadLogHistory(logHistoryFile(settingsFolder), history_);
    }
}

void LogSession::saveHistory(const std::filesystem::path& settingsFolder) const {
    if (!settingsFolder.empty()) {
        saveLogHistory(logHistoryFile(settingsFolder), history_);
    }
}

std::string LogSession::logFolder() const {
    return platform::withTrailingSeparator(state_.options.logFolder);
}

std::string LogSession::attachedFolder() const {
    return platform::folderOf(attachedPath_);
}

void LogSession::fillLogMenus() {
    for (std::size_t i = 0; i < menu_.history.size(); ++i) {
        const std::string entry(history_.at(i));
        if (!entry.empty() && logFileExists(entry)) {
            offer(menu_.history[i], entry, entry);
        }
    }
    if (const std::string folder = logFolder(); !folder.empty()) {
        offerDailyLogs(folder);
    }
    publishMenu();
}

// Today's and yesterday's daily logs of the folder, where they exist.
void LogSession::offerDailyLogs(std::string_view cp932Folder) {
    const CivilDate today = dateOf(ports_.clock.now());
    for (const auto& [item, date] :
         {std::pair{&menu_.today, today}, std::pair{&menu_.yesterday, dayBefore(today)}}) {
        const std::string name = dailyLogName(date);
        const std::string path = joinFolderAndName(cp932Folder, name);
        if (logFileExists(path)) {
            offer(*item, name, path);
        }
    }
}

void LogSession::publishMenu() {
    ports_.display.showAttachMenu(menu_);
}

}  // namespace ruv
