// Start-up and exit of the settings: config.ini and the four list files in the
// settings folder, applied to and gathered from the window's state.

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QScreen>

#include <array>
#include <vector>

#include "core/config/config_error.h"
#include "core/config/list_file.h"
#include "core/config/settings_files.h"
#include "core/config/settings_save.h"
#include "core/config/view_settings.h"
#include "core/platform/clock.h"
#include "core/sound/call_sound_slot_ids.h"
#include "core/views/ng_list_files.h"
#include "shell/app/main_window.h"
#include "shell/app/session.h"
#include "shell/exp/exp_monitor.h"
#include "shell/platform/qt_text.h"
#include "shell/views/text_size_control.h"

namespace ruv {
namespace {

constexpr std::array<config::ConfigRow, 8> kSpeechRows{
    config::ConfigRow::BouIPAddress, config::ConfigRow::BouPort,  config::ConfigRow::BouVolume,
    config::ConfigRow::BouPitch,     config::ConfigRow::BouOntei, config::ConfigRow::BouVoiceKind,
    config::ConfigRow::BouLimitMoji, config::ConfigRow::BouNoName};

// config.ini at exit: every row by number from the state in force.
void saveConfig(MainWindow& window, const std::filesystem::path& folder) {
    config::ConfigStore& store = window.session().configStore;
    config::writeExitState(store, window.currentSettings(), window.attachedLogFolder());
    for (const config::ConfigRow row : kSpeechRows) {
        if (const auto value = window.speechSettingValue(config::canonicalKey(row))) {
            store.setValue(row, *value);
        }
    }
    store.save(folder / config::kConfigFileName);
}

}  // namespace

const config::ConfigStore& MainWindow::configStore() const {
    return session_->configStore;
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
        return;
    }
    // The list files and the history: a file that can't be read costs its own
    // list only.
    const auto guarded = [this](std::string_view stage, const auto& step) {
        try {
            step();
        } catch (const std::exception&) {
            reportStartupFailure(stage);
        }
    };
    guarded("", [&] { LoadNgLists(folder, session_->core.ngLists); });
    guarded("", [&] { LoadVoiceList(folder); });
    guarded("", [&] { LoadLogHistory(); });
    const config::ViewSettings view =
        config::loadViewSettings(folder / config::kViewSettingsFileName);
    textSize_->setSize(view.textSize);
    menu_.callAlert->setChecked(view.callAlert);

    config::ConfigStore& store = session_->configStore;
    enum class ConfigRead { Loaded, Missing, Unreadable };
    ConfigRead read = ConfigRead::Unreadable;
    guarded("", [&] {
        read = store.load(folder / config::kConfigFileName) == config::FileLoad::Loaded
                   ? ConfigRead::Loaded
                   : ConfigRead::Missing;
    });
    if (read == ConfigRead::Unreadable) {
        // The reading stops here; the state reached so far stays.
        FillLogMenus();
    } else if (read == ConfigRead::Missing) {
        // First run: centred on the desktop, the 60 defaults.
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            QRect frame = frameGeometry();
            frame.moveCenter(screen->availableGeometry().center());
            move(frame.topLeft());
        }
        store = config::firstRunConfigStore();
        FillLogMenus();
    } else {
        config::AppSettings settings = currentSettings();
        // The bounds come from their rows only: an empty row leaves the window
        // where the platform places it.
        settings.windowTop.reset();
        settings.windowLeft.reset();
        settings.windowHeight.reset();
        settings.windowWidth.reset();
        config::SpeechRowsRead speech;
        for (const config::StartupIssue& issue : config::applyConfigRows(store, settings, speech)) {
            reportStartupFailure(issue.stage);
        }
        applySettings(settings);
        FillLogMenus();
        RestoreCallSounds();
        guarded(config::kStageRebuild,
                [&] { store = config::canonicalStore(currentSettings(), speech); });
    }
    if (store.hasCanonicalLayout()) {
        for (const config::ConfigRow row : kSpeechRows) {
            restoreSpeechSetting(config::canonicalKey(row), store.value(row));
        }
    }
}

void MainWindow::applySettings(const config::AppSettings& s) {
    for (std::size_t i = 0; i < s.route.tabShown.size(); ++i) {
        setTabShown(tabOf(static_cast<ChatChannel>(i)),
                    s.route.tabShown[i] ? TabVisibility::Shown : TabVisibility::Hidden);
    }
    for (std::size_t i = 0; i < kMixChannels.size(); ++i) {
        mixCheckBox(kMixChannels[i])->setChecked(s.route.mix[i]);
    }
    session_->expMonitor.restoreIntervalSetting(s.intervalSeconds);
    for (const TransparencyEntry& entry : menu_.transparencies) {
        if (entry.percent == s.transparencyPercent && !entry.action->isChecked()) {
            entry.action->trigger();
        }
    }
    for (std::size_t i = 0; i < kCallSoundSlots.size(); ++i) {
        restoreSoundPath(kCallSoundSlots[i], s.soundPaths[i]);
    }
    session_->expMonitor.restoreStatusBarShown(s.statusBarRate);
    menu_.autoAttach->setChecked(s.autoAttach);
    if (s.topMost != menu_.alwaysOnTop->isChecked()) {
        menu_.alwaysOnTop->trigger();
    }
    menu_.tidyOnAttach->setChecked(s.tidyOnAttach);
    if (!s.logFolder.empty()) {
        restoreLogFolder(s.logFolder);
    }
    restoreOuterBounds(s);
    session_->expMonitor.restoreLayoutIndex(s.expLayout);
    ngUserSwitch()->setChecked(s.route.ngUsersApplied);
    ngWordSwitch()->setChecked(s.route.ngWordsApplied);
    speechSwitch()->setChecked(s.route.speechSend);
    readModeList()->setCurrentIndex(s.readMode);
}

void MainWindow::restoreOuterBounds(const config::AppSettings& s) {
    const QRect frame = frameGeometry();
    if (s.windowLeft || s.windowTop) {
        move(s.windowLeft.value_or(frame.x()), s.windowTop.value_or(frame.y()));
    }
    if (s.windowWidth || s.windowHeight) {
        restoredOuterSize_ =
            QSize(s.windowWidth.value_or(frame.width()), s.windowHeight.value_or(frame.height()));
        applyRestoredOuterSize();
    }
}

// The saved size is the outer frame's; the frame's own size is known only once
// the window is shown, so the client size is set again then.
void MainWindow::applyRestoredOuterSize() {
    if (!restoredOuterSize_) {
        return;
    }
    const QSize frameExtra = frameGeometry().size() - size();
    resize(restoredOuterSize_->width() - frameExtra.width(),
           restoredOuterSize_->height() - frameExtra.height());
    if (isVisible()) {
        restoredOuterSize_.reset();
    }
}

config::AppSettings MainWindow::currentSettings() const {
    config::AppSettings s;
    s.route = session_->core.switches;
    s.intervalSeconds = session_->expMonitor.intervalSetting().value_or(1);
    for (const TransparencyEntry& entry : menu_.transparencies) {
        if (entry.action->isChecked()) {
            s.transparencyPercent = entry.percent;
        }
    }
    for (std::size_t i = 0; i < kCallSoundSlots.size(); ++i) {
        s.soundPaths[i] = soundPath(kCallSoundSlots[i]);
    }
    s.statusBarRate = menu_.rateInStatusBar->isChecked();
    s.autoAttach = menu_.autoAttach->isChecked();
    s.topMost = menu_.alwaysOnTop->isChecked();
    s.tidyOnAttach = menu_.tidyOnAttach->isChecked();
    s.logFolder = logFolder();
    const QRect frame = frameGeometry();
    s.windowTop = frame.y();
    s.windowLeft = frame.x();
    s.windowHeight = frame.height();
    s.windowWidth = frame.width();
    s.expLayout = session_->expMonitor.layoutIndex();
    s.readMode = parseSettingInteger(session_->speechSettingTexts.readMode).value_or(0);
    return s;
}

void MainWindow::SaveSettingsAtExit() {
    const std::filesystem::path& folder = environment_.settingsFolder;
    if (!folder.empty()) {
        const std::vector<config::UnsavedFile> unsaved = config::saveEachFile(std::array{
            config::FileToSave{config::kConfigFileName, [&] { saveConfig(*this, folder); }},
            config::FileToSave{config::kNgUserListFileName,
                               [&] {
                                   config::saveList(folder / config::kNgUserListFileName,
                                                    session_->core.ngLists.users);
                               }},
            config::FileToSave{config::kNgWordListFileName,
                               [&] {
                                   config::saveList(folder / config::kNgWordListFileName,
                                                    session_->core.ngLists.words);
                               }},
            config::FileToSave{config::kVoiceListFileName, [&] { SaveVoiceList(folder); }},
            config::FileToSave{config::kLogHistoryFileName, [&] { SaveLogHistory(); }},
            config::FileToSave{config::kViewSettingsFileName,
                               [&] {
                                   config::saveViewSettings(
                                       folder / config::kViewSettingsFileName,
                                       {textSize_->size(), menu_.callAlert->isChecked()});
                               }},
        });
        if (!unsaved.empty()) {
            session_->messages.show(MessageKind::Warning,
                                    fromCp932(config::unsavedFilesMessage(unsaved)));
        }
    }
    CloseCallSounds();
    session_->live.release();
}

}  // namespace ruv
