// Attaching a log: the File menu's attach commands, a log named on the command
// line or dropped on the window, the options of attaching and the folder
// watcher's name changes, turned into calls on the log session.

#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLineEdit>
#include <QMimeData>
#include <QStatusBar>
#include <QUrl>

#include <array>
#include <optional>

#include "core/app/first_start_hint.h"
#include "core/log/log_session.h"
#include "core/platform/error_log.h"
#include "shell/app/file_drop_pass_through.h"
#include "shell/app/main_window.h"
#include "shell/app/session.h"
#include "shell/app/single_instance.h"
#include "shell/log/log_file_dialog.h"
#include "shell/platform/qt_text.h"
#include "shell/views/channel_view.h"

namespace ruv {

namespace {

constexpr int kRefusedDropMessageMs = 8000;

// The one local file a drag carries; none for several files or a remote address.
std::optional<QString> droppedFile(const QMimeData* data) {
    if (data == nullptr || !data->hasUrls() || data->urls().size() != 1 ||
        !data->urls().constFirst().isLocalFile()) {
        return std::nullopt;
    }
    return data->urls().constFirst().toLocalFile();
}

}  // namespace

void MainWindow::connectAttaching() {
    connect(menu_.attachLog, &QAction::triggered, this, &MainWindow::attachLog);
    const std::array<std::pair<QAction*, AttachKind>, 3> commands = {
        {{menu_.addAttach, AttachKind::Add},
         {menu_.todaysLog, AttachKind::Today},
         {menu_.yesterdaysLog, AttachKind::Yesterday}}};
    for (const auto& [entry, kind] : commands) {
        connect(entry, &QAction::triggered, this, [this, kind = kind] { attachKnownLog(kind); });
    }
    for (std::size_t i = 0; i < menu_.history.size(); ++i) {
        connect(menu_.history[i], &QAction::triggered, this,
                [this, i] { attachKnownLog(AttachKind::History, i); });
    }
    connect(&session_->live.watcher(), &LogWatcher::fileNamesChanged, this,
            &MainWindow::onLogFolderNamesChanged);
    setAcceptDrops(true);
    new FileDropPassThrough(*this, [this](QDropEvent& event) { handleFileDrag(event); });
    // Until a log is attached, the 通常 view shows the way to one.
    view(ChatChannel::Normal)->setEmptyHint(fromCp932(kFirstStartHint));
}

LogSession& MainWindow::logSession() {
    return session_->core.log;
}

void MainWindow::attachLog() {
    session_->core.log.attach(AttachKind::Dialog);
}

void MainWindow::attachKnownLog(AttachKind kind, std::size_t historyEntry) {
    session_->core.log.attach(kind, historyEntry);
}

void MainWindow::onLogFolderNamesChanged() {
    session_->core.log.fileNamesChanged();
}

void MainWindow::attachTodaysLogAtStart() {
    session_->core.log.attachTodaysLogAtStart();
}

void MainWindow::openLog(const QString& path) {
    session_->core.log.attachChosen(namedLog(path));
}

void MainWindow::receiveHandOver(const QString& path) {
    bringToFront(*this);
    if (!path.isEmpty()) {
        openLog(path);
    }
}

void MainWindow::serveLaterStarts(SingleInstance& instance) {
    instance_ = &instance;
    connect(&instance, &SingleInstance::handedOver, this, &MainWindow::receiveHandOver);
    if (!instance.guarded()) {
        platform::reportFailure(session_->errorLog, session_->clock, kUnguardedStartText);
    }
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    handleFileDrag(*event);
}

void MainWindow::dragMoveEvent(QDragMoveEvent* event) {
    handleFileDrag(*event);
}

void MainWindow::dropEvent(QDropEvent* event) {
    handleFileDrag(*event);
}

void MainWindow::handleFileDrag(QDropEvent& event) {
    const std::optional<QString> file = droppedFile(event.mimeData());
    if (!file || !session_->core.log.attachCommandsEnabled()) {
        event.ignore();
        return;
    }
    event.acceptProposedAction();
    if (event.type() == QEvent::Drop && !isLogFileName(*file)) {
        // A picture or a sound dropped by mistake changes nothing.
        statusBar()->showMessage(QStringLiteral("HTML文書ではないのでアタッチしません: %1")
                                     .arg(QFileInfo(*file).fileName()),
                                 kRefusedDropMessageMs);
        return;
    }
    if (event.type() == QEvent::Drop) {
        // After the drop has finished: a warning box must not hold the program
        // the file came from.
        QMetaObject::invokeMethod(
            this, [this, path = *file] { openLog(path); }, Qt::QueuedConnection);
    }
}

void MainWindow::LoadLogHistory() {
    session_->core.log.loadHistory(environment_.settingsFolder);
}

void MainWindow::SaveLogHistory() {
    session_->core.log.saveHistory(environment_.settingsFolder);
}

void MainWindow::FillLogMenus() {
    session_->core.log.fillLogMenus();
}

void MainWindow::restoreLogFolder(std::string_view cp932Folder) {
    session_->core.state.attach.logFolder = std::string(cp932Folder);
}

std::string MainWindow::logFolder() const {
    return session_->core.log.logFolder();
}

std::string MainWindow::attachedLogPath() const {
    return session_->core.log.attachedPath();
}

std::string MainWindow::attachedLogFolder() const {
    return session_->core.log.attachedFolder();
}

bool MainWindow::tidyingPastLog() const {
    return session_->core.log.tidying();
}

}  // namespace ruv
