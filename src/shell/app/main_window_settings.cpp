// Start-up and exit of the settings: config.ini, ruvivuvaz_view.ini and the
// four list files in the settings folder, read into the session's state, which
// the window's controls then show, and written from it.

#include <QGuiApplication>
#include <QMoveEvent>
#include <QResizeEvent>
#include <QScreen>
#include <QWindow>

#include <array>
#include <vector>

#include "core/config/folder_check.h"
#include "core/config/list_file.h"
#include "core/config/settings_files.h"
#include "core/config/settings_save.h"
#include "core/config/view_settings.h"
#include "core/platform/clock.h"
#include "core/platform/native_path.h"
#include "core/rules/timers_file.h"
#include "core/speech/speech_queue_settings.h"
#include "core/views/ng_list_files.h"
#include "shell/app/main_window.h"
#include "shell/app/session.h"
#include "shell/app/single_instance.h"
#include "shell/platform/qt_text.h"
#include "shell/platform/screen_fit.h"

namespace ruv {

void MainWindow::bindState() {
    const BoundControls controls{
        tabs_, voiceListView_, &menu_, textSize_,
        [this](Tab tab, TabVisibility visibility) { setTabShown(tab, visibility); }};
    binding_ = new StateBinding(session_->core.state, controls,
                                BoundSubsystems{session_->expMonitor, session_->core.speech}, this);
}

StoredSpeechSettings& MainWindow::storedSpeech() {
    return *binding_;
}

void MainWindow::reportStartupFailure(std::string_view stage) {
    std::string line(config::kStartupFailureText);
    line += "\r\n";
    line += stage;
    line += ' ';
    line += platform::formatDateTime(session_->clock.now());
    session_->errorLog.append(line);
}

void MainWindow::ApplySettingsAtStartup() {
    const std::filesystem::path& folder = environment_.settingsFolder;
    if (folder.empty()) {
        binding_->showState();
        return;
    }
    SessionState& state = session_->core.state;
    // The list files and the history: a file that can't be read costs its own
    // list only.
    const auto guarded = [this](std::string_view stage, const auto& step) {
        try {
            step();
        } catch (const std::exception&) {
            reportStartupFailure(stage);
        }
    };
    guarded("", [&] { LoadNgLists(folder, state.ngLists); });
    guarded("", [&] { LoadVoiceList(folder); });
    guarded("", [&] { LoadLogHistory(); });
    // The notification rules: a damaged file costs its rules only, said in the error log.
    session_->core.loadRules(folder, session_->datedErrorLog);
    session_->core.timers.load(folder);
    const config::ViewSettings view =
        config::loadViewSettings(folder / config::kViewSettingsFileName);
    state.textSize = view.textSize;
    state.route.callAlert = view.callAlert;
    state.attach.ngOnTidy = view.ngOnTidy;
    state.windowMaximized = view.windowMaximized;
    state.attach.attachTodayAtStart = view.attachTodayAtStart;
    state.attach.resetExpAtSwitch = view.resetExpAtNewDay;

    config::ConfigStore& store = session_->configStore;
    enum class ConfigRead { Loaded, Missing, Unreadable };
    ConfigRead read = ConfigRead::Unreadable;
    guarded("", [&] {
        read = store.load(folder / config::kConfigFileName) == config::FileLoad::Loaded
                   ? ConfigRead::Loaded
                   : ConfigRead::Missing;
    });
    if (read == ConfigRead::Missing) {
        // First run: centred on the desktop, the 60 defaults.
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            QRect frame = frameGeometry();
            frame.moveCenter(screen->availableGeometry().center());
            move(frame.topLeft());
        }
        store = config::firstRunConfigStore();
    } else if (read == ConfigRead::Loaded) {
        for (const config::StartupIssue& issue : config::applyConfigRows(store, state)) {
            reportStartupFailure(issue.stage);
            session_->datedErrorLog.append(config::startupIssueText(issue));
        }
    }
    const bool takesFiles = environment_.folderTakesFiles ? environment_.folderTakesFiles(folder)
                                                          : config::canWriteIn(folder);
    if (!takesFiles) {
        platform::reportFailure(
            session_->errorLog, session_->clock,
            config::readOnlyFolderText(platform::fromNativePath(folder).value_or("")));
        session_->statusBar.showAttachStatus(StatusPanel::Path, config::kReadOnlyFolderStatus);
    }
    // An unreadable file stops the reading: the state reached so far stays.
    binding_->showState();
    FillLogMenus();
    if (read == ConfigRead::Loaded) {
        restoreOuterBounds(state.bounds);
        RestoreCallSounds();
        guarded(config::kStageRebuild, [&] { store = config::canonicalStore(state); });
    }
    if (state.windowMaximized) {
        // Maximised on the screen of its normal place, which stays for its return.
        pendingOuter_.reset();
        setWindowState(windowState() | Qt::WindowMaximized);
    }
}

void MainWindow::restoreOuterBounds(const WindowBounds& bounds) {
    if (!bounds.left && !bounds.top && !bounds.width && !bounds.height) {
        return;
    }
    const QRect frame = frameGeometry();
    const ScreenRect saved{bounds.left.value_or(frame.x()), bounds.top.value_or(frame.y()),
                           bounds.width.value_or(frame.width()),
                           bounds.height.value_or(frame.height())};
    const QRect place = fitOnAvailableScreens(saved);
    const bool kept = place.x() == saved.left && place.y() == saved.top &&
                      place.width() == saved.width && place.height() == saved.height;
    restored_ = RestoredPlace{
        kept ? bounds : WindowBounds{place.y(), place.x(), place.height(), place.width()}, place,
        size()};
    PendingOuter pending;
    if (bounds.left || bounds.top || !kept) {
        pending.at = place.topLeft();
    }
    if (bounds.width || bounds.height || !kept) {
        pending.size = place.size();
    }
    pendingOuter_ = pending;
    applyRestoredOuterSize();
}

void MainWindow::applyRestoredOuterSize() {
    if (!pendingOuter_) {
        return;
    }
    const QWindow* handle = windowHandle();
    const QMargins frame = handle != nullptr ? handle->frameMargins() : QMargins();
    pendingOuter_->frame = frame;
    if (pendingOuter_->size) {
        resize(pendingOuter_->size->width() - frame.left() - frame.right(),
               pendingOuter_->size->height() - frame.top() - frame.bottom());
        if (restored_) {
            restored_->client = size();
        }
    }
    if (pendingOuter_->at && frameGeometry().topLeft() != *pendingOuter_->at) {
        move(*pendingOuter_->at);  // the frame's place
    }
    if (isVisible() && !frame.isNull()) {
        pendingOuter_.reset();
    }
}

void MainWindow::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    applyRestoredOuterSizeToANewFrame();
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    applyRestoredOuterSizeToANewFrame();
}

void MainWindow::applyRestoredOuterSizeToANewFrame() {
    const QWindow* handle = windowHandle();
    if (pendingOuter_ && handle != nullptr &&
        (windowState() & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen)) == 0 &&
        handle->frameMargins() != pendingOuter_->frame) {
        applyRestoredOuterSize();  // the window manager has framed the window
    }
}

void MainWindow::noteWindowStateAtClose() {
    const bool maximized = isMaximized();
    session_->core.state.windowMaximized = maximized;
    const QRect normal = normalGeometry();
    normalAtClose_.reset();
    if (maximized && normal.isValid()) {
        normalAtClose_ = normal;
    }
}

// The client size and the frame's position are what the user changes; the
// frame's size may become known only after the window was placed. So the
// size saved is the one restored, grown as the client grew.
WindowBounds MainWindow::boundsToSave() const {
    QRect frame = frameGeometry();
    QRect client = geometry();
    if (normalAtClose_) {
        const QWindow* handle = windowHandle();
        const QMargins margins = handle != nullptr ? handle->frameMargins() : QMargins();
        client = *normalAtClose_;
        frame = client.marginsAdded(margins);
    }
    if (!restored_) {
        return {frame.y(), frame.x(), frame.height(), frame.width()};
    }
    const QSize grown = client.size() - restored_->client;
    const QPoint at = restored_->outer.topLeft();
    const bool moved = frame.topLeft() != at && client.topLeft() != at;
    if (grown.isNull() && !moved) {
        return restored_->bounds;
    }
    const QSize outer = restored_->outer.size() + grown;
    const QPoint place = moved ? frame.topLeft() : at;
    return {place.y(), place.x(), outer.height(), outer.width()};
}

void MainWindow::SaveSettingsAtExit() {
    if (exitStepsRun_) {
        return;
    }
    exitStepsRun_ = true;
    if (instance_ != nullptr) {
        instance_->stopTakingRequests();
    }
    const std::filesystem::path& folder = environment_.settingsFolder;
    SessionState& state = session_->core.state;
    if (!folder.empty()) {
        state.bounds = boundsToSave();
        const auto saveConfig = [&] {
            config::ConfigStore& store = session_->configStore;
            config::writeExitState(store, state, attachedLogFolder());
            store.save(folder / config::kConfigFileName);
        };
        const std::vector<config::UnsavedFile> unsaved = config::saveEachFile(std::array{
            config::FileToSave{config::kConfigFileName, saveConfig},
            config::FileToSave{config::kNgUserListFileName,
                               [&] {
                                   config::saveList(folder / config::kNgUserListFileName,
                                                    state.ngLists.users);
                               }},
            config::FileToSave{config::kNgWordListFileName,
                               [&] {
                                   config::saveList(folder / config::kNgWordListFileName,
                                                    state.ngLists.words);
                               }},
            config::FileToSave{config::kVoiceListFileName, [&] { SaveVoiceList(folder); }},
            config::FileToSave{kSpeechQueueFile, [&] { saveSpeechQueueSettings(folder); }},
            config::FileToSave{config::kLogHistoryFileName, [&] { SaveLogHistory(); }},
            config::FileToSave{kTimersFileName, [&] { session_->core.timers.save(folder); }},
            config::FileToSave{config::kViewSettingsFileName,
                               [&] {
                                   config::saveViewSettings(
                                       folder / config::kViewSettingsFileName,
                                       {state.textSize, state.route.callAlert,
                                        state.attach.ngOnTidy, state.windowMaximized,
                                        state.attach.attachTodayAtStart,
                                        state.attach.resetExpAtSwitch});
                               }},
        });
        if (instance_ != nullptr) {
            instance_->release();  // before the warning, which waits for the user
        }
        if (!unsaved.empty()) {
            session_->messages.show(MessageKind::Warning,
                                    fromCp932(config::unsavedFilesMessage(unsaved)));
        }
    }
    if (instance_ != nullptr) {
        instance_->release();
    }
    session_->live.release();
}

}  // namespace ruv
