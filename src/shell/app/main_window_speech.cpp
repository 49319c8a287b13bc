// The main window's speech side: the settings button, its dialog, the
// 読み上げ menu, the status bar's speech panel, the per-character voice
// list's file and the queue settings' file.

#include <QCheckBox>
#include <QComboBox>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTreeWidget>

#include <exception>
#include <system_error>

#include "core/config/list_file.h"
#include "core/platform/text_file.h"
#include "core/speech/speech_queue_settings.h"
#include "core/speech/speech_texts.h"
#include "shell/app/main_window.h"
#include "shell/app/session.h"
#include "shell/platform/qt_text.h"
#include "shell/speech/speech_dialog.h"
#include "shell/speech/speech_hotkeys.h"
#include "shell/speech/speech_status_panel.h"

namespace ruv {

namespace {

constexpr const char* kVoiceListFile = "bouyomiuserlist.txt";

}  // namespace

void MainWindow::setUpSpeech() {
    voiceListView_ = new QTreeWidget(this);
    voiceListView_->setObjectName(QStringLiteral("BouListView01"));
    voiceListView_->setHeaderLabels({QStringLiteral("キャラ名"), QStringLiteral("声質"),
                                     QStringLiteral("音量"), QStringLiteral("速度"),
                                     QStringLiteral("音程")});
    voiceListView_->hide();

    connect(tabs_.speechSettingsButton, &QPushButton::clicked, this,
            &MainWindow::openSpeechSettings);

    SpeechClient& client = session_->speechSide.client();
    connect(menu_.speechSkip, &QAction::triggered, this, [&client] { client.skipCurrent(); });
    connect(menu_.speechClear, &QAction::triggered, this, [&client] { client.clearWaiting(); });
    connect(menu_.speechPause, &QAction::toggled, this,
            [&client](bool paused) { client.setPaused(paused); });
    // Off until the player sets them; a press runs the menu entry.
    speechHotkeys_ = std::make_unique<SpeechHotkeys>();
    for (const auto& [command, action] :
         {std::pair{SpeechHotkeyCommand::Skip, menu_.speechSkip},
          std::pair{SpeechHotkeyCommand::Clear, menu_.speechClear},
          std::pair{SpeechHotkeyCommand::Pause, menu_.speechPause}}) {
        connect(&speechHotkeys_->of(command), &GlobalHotkey::pressed, action, &QAction::trigger);
    }

    auto* panel = new QLabel(statusBar());
    statusBar()->addPermanentWidget(panel);
    speechPanel_ = std::make_unique<SpeechStatusPanel>(
        *panel, session_->speechSide, session_->timers,
        SpeechStatusPanel::Sources{[this] { return session_->core.state.route.speechSend; },
                                   [this] { return session_->core.log.attachedPath(); }});
}

void MainWindow::buildSpeechMenu() {
    QMenu* speech = menuBar()->addMenu(QStringLiteral("読み上げ(&R)"));
    speech->setObjectName(QStringLiteral("SpeechMenu"));
    const auto entry = [this, speech](const char* name, const QString& caption,
                                      const QKeySequence& keys) {
        QAction* action = speech->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcut(keys);
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action);  // the keys work wherever the focus is in the window
        return action;
    };
    menu_.speechSkip = entry("SpeechSkip", QStringLiteral("今の行を飛ばす(&S)"),
                             QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_S));
    menu_.speechClear = entry("SpeechClear", QStringLiteral("待っている行をすべて消す(&C)"),
                              QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_C));
    menu_.speechPause = entry("SpeechPause", QStringLiteral("一時停止(&P)"),
                              QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_P));
    menu_.speechPause->setCheckable(true);
}

void MainWindow::openSpeechSettings() {
    if (speechDialog_ == nullptr) {
        speechDialog_ =
            new SpeechDialog(SpeechDialogPorts{*binding_, session_->speechSide, session_->messages,
                                               session_->timers, *speechHotkeys_},
                             this);
    }
    speechDialog_->fillAndShow();
}

// --- Voice list file ------------------------------------------------------------

void MainWindow::LoadVoiceList(const std::filesystem::path& settingsFolder) {
    if (settingsFolder.empty()) {
        return;
    }
    loadSpeechQueueSettings(settingsFolder);
    config::TextLines lines;
    try {
        if (config::loadList(settingsFolder / kVoiceListFile, lines) == config::FileLoad::Missing) {
            return;
        }
    } catch (const std::exception&) {
        session_->speechSide.reportError(speech_texts::kVoiceListLoadFailed);
        return;
    }
    VoiceListReading reading = ruv::LoadVoiceList(lines);
    session_->core.state.voices = std::move(reading.list);
    binding_->showVoiceList();
    if (!reading.unusableLineNumbers.empty()) {
        session_->speechSide.reportError(unusableVoiceLinesErrorText(reading.unusableLineNumbers));
    }
}

void MainWindow::SaveVoiceList(const std::filesystem::path& settingsFolder) {
    if (settingsFolder.empty()) {
        return;
    }
    config::saveList(settingsFolder / kVoiceListFile,
                     ruv::SaveVoiceList(session_->core.state.voices));
}

void MainWindow::saveSpeechQueueSettings(const std::filesystem::path& settingsFolder) {
    // Written only when the player changed them, so a start and an exit leave
    // the file (or its absence) as it was.
    const SpeechQueueSettings& settings = session_->speechSide.queueSettings();
    if (settings != speechQueueSettingsRead_) {
        const std::error_code error = platform::writeWholeFileAtomically(
            settingsFolder / kSpeechQueueFile, speechQueueSettingsText(settings));
        if (error) {
            throw std::system_error(error, kSpeechQueueFile);
        }
        speechQueueSettingsRead_ = settings;
    }
}

void MainWindow::loadSpeechQueueSettings(const std::filesystem::path& settingsFolder) {
    const platform::FileContent content =
        platform::readWholeFile(settingsFolder / kSpeechQueueFile);
    speechQueueSettingsRead_ = content.status == platform::ReadStatus::Ok
                                   ? readSpeechQueueSettings(content.bytes)
                                   : SpeechQueueSettings{};
    session_->speechSide.setQueueSettings(speechQueueSettingsRead_);
    speechHotkeys_->apply(speechQueueSettingsRead_.hotkeys);
}

}  // namespace ruv
