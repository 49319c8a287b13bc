// Start-up and exit of the settings: config.ini, ruvivuvaz_view.ini and the
// four list files in the settings folder, read into the session's state, which
// the window's controls then show, and written from it.

#include <QGuiApplication>
#include <QScreen>

#include <array>
#include <vector>

#include "core/config/folder_check.h"
#include "core/config/list_file.h"
#include "core/config/settings_files.h"
#include "core/config/settings_save.h"
#include "core/config/view_settings.h"
#include "core/platform/clock.h"
#include "core/platform/native_path.h"
#include "core/speech/speech_queue_settings.h"
#include "core/views/ng_list_files.h"
#include "shell/app/main_window.h"
#include "shell/app/screen_fit.h"
#include "shell/app/session.h"
#include "shell/app/single_instance.h"
#include "shell/platform/qt_text.h"

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
    session_->core.loadRules(folder, session_->errorLog);
    const config::ViewSettings view =
        config::loadViewSettings(folder / config::kViewSettingsFileName);
    state.textSize = view.textSize;
    state.route.callAlert = view.callAlert;
    state.attach.ngOnTidy = view.ngOnTidy;

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
            session_->errorLog.append(config::startupIssueText(issue));
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
}

void MainWindow::restoreOuterBounds(const WindowBounds& bounds) {
    if (!bounds.left && !bounds.top && !bounds.width && !bounds.height) {
        return;
    }
    const QRect frame = frameGeometry();
    const QRect saved(bounds.left.value_or(frame.x()), bounds.top.value_or(frame.y()),
                      bounds.width.value_or(frame.width()), bounds.height.value_or(frame.height()));
    const QRect place = fitOnAvailableScreens(saved);
    restored_ = RestoredPlace{
        place == saved ? bounds : WindowBounds{place.y(), place.x(), place.height(), place.width()},
        place, size()};
    if (bounds.left || bounds.top || place.topLeft() != saved.topLeft()) {
        move(place.topLeft());
    }
    if (bounds.width || bounds.height || place.size() != saved.size()) {
        restoredOuterSize_ = place.size();
        applyRestoredOuterSize();
    }
}

// The saved size is the outer frame's; the frame's own size is known only once
// the window is shown (or later, when the window manager frames it), so the
// client size is set again then.
void MainWindow::applyRestoredOuterSize() {
    if (!restoredOuterSize_) {
        return;
    }
    const QSize frameExtra = frameGeometry().size() - size();
    resize(restoredOuterSize_->width() - frameExtra.width(),
           restoredOuterSize_->height() - frameExtra.height());
    if (restored_) {
        restored_->client = size();
    }
    if (isVisible()) {
        restoredOuterSize_.reset();
    }
}

// The client size and the frame's position are what the user changes; the
// frame's size may become known only after the window was placed. So the
// size saved is the one restored, grown as the client grew.
WindowBounds MainWindow::boundsToSave() const {
    const QRect frame = frameGeometry();
    if (!restored_) {
        return {frame.y(), frame.x(), frame.height(), frame.width()};
    }
    const QSize grown = size() - restored_->client;
    const QPoint at = restored_->outer.topLeft();
    const bool moved = frame.topLeft() != at && geometry().topLeft() != at;
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
            config::FileToSave{config::kViewSettingsFileName,
                               [&] {
                                   config::saveViewSettings(folder / config::kViewSettingsFileName,
                                                            {state.textSize, state.route.callAlert,
                                                             state.attach.ngOnTidy});
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
