#pragma once
// What attaching keeps between commands: the recent-log list, the dialog's
// starting folder, the attached path, the running tidy and the wait of
// auto-attach. Owned by the main window's session; the handlers are TForm1's.

#include <QTimer>

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>

#include "core/log/log_history.h"
#include "core/text/units.h"
#include "shell/log/log_file_dialog.h"
#include "shell/log/past_log_tidy.h"

namespace ruv {

struct LogAttachState {
    // How long auto-attach lets the game finish creating its new log.
    static constexpr std::chrono::milliseconds kAutoAttachWait{1500};

    LogAttachState() {
        autoAttachWait.setSingleShot(true);
        autoAttachWait.setInterval(kAutoAttachWait);
    }

    LogHistoryList history;
    // MHFolderPath (CP932): the dialog's starting folder, one trailing
    // separator; empty when not set.
    std::string mhFolderPath;
    // The attached log (CP932) as the user chose it; empty before the first attach.
    std::string attachedPath;
    // The first file-name notice after start-up never switches logs.
    bool skipFirstNameChange = true;

    // Tidying of the last attach, and the follow-up once it is done: the live
    // reader takes the log from `consumed` on.
    PastLogTidy tidy;
    std::filesystem::path pendingLog;
    ByteOffset pendingConsumed;
    std::string pendingFailureText;
    std::unique_ptr<PastLogSink> tidySink;

    QTimer autoAttachWait;
    bool moreNamesChanged = false;

    std::unique_ptr<LogFileDialog> ownDialog;
    LogFileDialog* dialog = nullptr;
};

}  // namespace ruv
