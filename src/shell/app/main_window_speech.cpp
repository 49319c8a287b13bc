// The main window's speech side: the settings button, the stored speech
// settings and the per-character voice list with its file.

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

std::string* settingField(SpeechSettingTexts& texts, std::string_view key) {
    using namespace speech_keys;
    if (key == kAddress)
        return &texts.address;
    if (key == kPort)
        return &texts.port;
    if (key == kVolume)
        return &texts.volume;
    if (key == kSpeed)
        return &texts.speed;
    if (key == kTone)
        return &texts.tone;
    if (key == kVoiceKind)
        return &texts.voiceKind;
    if (key == kLimit)
        return &texts.limit;
    if (key == kNameReading)
        return &texts.nameReading;
    if (key == kReadMode)
        return &texts.readMode;
    return nullptr;
}

}  // namespace

void MainWindow::setUpSpeech() {
    voiceListView_ = new QTreeWidget(this);
    voiceListView_->setObjectName(QStringLiteral("BouListView01"));
    voiceListView_->setHeaderLabels({QStringLiteral("キャラ名"), QStringLiteral("声質"),
                                     QStringLiteral("音量"), QStringLiteral("速度"),
                                     QStringLiteral("音程")});
    voiceListView_->hide();

    connect(speechSettingsButton_, &QPushButton::clicked, this, &MainWindow::openSpeechSettings);
    connect(readModeList_, &QComboBox::currentIndexChanged, this, [this](int index) {
        session_->speechSettingTexts.readMode = std::to_string(index);
        session_->speechSide.applySettings(session_->speechSettingTexts);
    });
    session_->speechSettingTexts.readMode = std::to_string(readModeList_->currentIndex());
    session_->speechSide.applySettings(session_->speechSettingTexts);
}

void MainWindow::openSpeechSettings() {
    if (speechDialog_ == nullptr) {
        speechDialog_ = new SpeechDialog(
            SpeechDialogPorts{*this, session_->speechSide, session_->messages, session_->timers},
            this);
    }
    speechDialog_->fillAndShow();
}

// --- Stored settings -----------------------------------------------------------

SpeechSettingTexts MainWindow::speechSettingTexts() const {
    return session_->speechSettingTexts;
}

void MainWindow::setSpeechSettingTexts(SpeechSettingTexts texts) {
    // A mode that names no entry keeps the one in force.
    const auto mode = parseSettingInteger(texts.readMode);
    texts.readMode = session_->speechSettingTexts.readMode;
    session_->speechSettingTexts = std::move(texts);
    if (mode && *mode >= 0 && *mode < kReadModeCount) {
        readModeList_->setCurrentIndex(*mode);  // the list stores the mode it shows
    }
    session_->speechSide.applySettings(session_->speechSettingTexts);
}

bool MainWindow::restoreSpeechSetting(std::string_view key, std::string cp932) {
    if (key == speech_keys::kSendSwitch) {
        speechSwitch_->setChecked(cp932 == "1");
        return true;
    }
    SpeechSettingTexts texts = speechSettingTexts();
    std::string* field = settingField(texts, key);
    if (field == nullptr) {
        return false;
    }
    *field = std::move(cp932);
    setSpeechSettingTexts(std::move(texts));
    return true;
}

std::optional<std::string> MainWindow::speechSettingValue(std::string_view key) const {
    if (key == speech_keys::kSendSwitch) {
        return std::string(speechSwitch_->isChecked() ? "1" : "0");
    }
    SpeechSettingTexts texts = speechSettingTexts();
    if (const std::string* field = settingField(texts, key)) {
        return *field;
    }
    return std::nullopt;
}

// --- Voice list ----------------------------------------------------------------

const VoiceList& MainWindow::voiceList() const {
    return session_->speechSide.bridge().voices();
}

void MainWindow::setVoiceProfiles(std::vector<VoiceProfile> rows) {
    VoiceList list = voiceList();
    list.replaceProfiles(std::move(rows));
    session_->speechSide.bridge().setVoices(std::move(list));
    showVoiceList();
}

void MainWindow::showVoiceList() {
    voiceListView_->clear();
    for (const VoiceProfile& row : voiceList().Profiles()) {
        auto* item = new QTreeWidgetItem(voiceListView_);
        item->setText(0, fromCp932(row.Name));
        item->setText(1, QString::number(row.Voice));
        item->setText(2, QString::number(row.Volume));
        item->setText(3, QString::number(row.Speed));
        item->setText(4, QString::number(row.Tone));
    }
}

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
    session_->speechSide.bridge().setVoices(std::move(reading.list));
    showVoiceList();
    if (!reading.unusableLineNumbers.empty()) {
        session_->speechSide.reportError(unusableVoiceLinesErrorText(reading.unusableLineNumbers));
    }
}

void MainWindow::SaveVoiceList(const std::filesystem::path& settingsFolder) {
    if (settingsFolder.empty()) {
        return;
    }
    config::saveList(settingsFolder / kVoiceListFile, ruv::SaveVoiceList(voiceList()));
}

}  // namespace ruv
