// The main window's speech side: the settings button, its dialog and the
// per-character voice list's file.

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QTreeWidget>

#include <exception>

#include "core/config/list_file.h"
#include "core/speech/speech_texts.h"
#include "shell/app/main_window.h"
#include "shell/app/session.h"
#include "shell/platform/qt_text.h"
#include "shell/speech/speech_dialog.h"

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
}

void MainWindow::openSpeechSettings() {
    if (speechDialog_ == nullptr) {
        speechDialog_ = new SpeechDialog(SpeechDialogPorts{*binding_, session_->speechSide,
                                                           session_->messages, session_->timers},
                                         this);
    }
    speechDialog_->fillAndShow();
}

// --- Voice list file ------------------------------------------------------------

void MainWindow::LoadVoiceList(const std::filesystem::path& settingsFolder) {
    if (settingsFolder.empty()) {
        return;
    }
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

}  // namespace ruv
