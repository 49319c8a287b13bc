#include "shell/speech/speech_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMetaObject>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <string>

#include "core/speech/speech_dialog_rules.h"
#include "core/speech/speech_status_text.h"
#include "core/speech/speech_test_buttons.h"
#include "core/text/cp932.h"
#include "shell/platform/qt_text.h"
#include "shell/platform/user_messages.h"
#include "shell/speech/cp932_refusal.h"
#include "shell/speech/speech_dialog_widgets.h"
#include "shell/speech/speech_hotkeys.h"
#include "shell/speech/speech_queue_page.h"
#include "shell/speech/speech_settings_page.h"
#include "shell/speech/speech_side.h"
#include "shell/speech/voice_list_page.h"

namespace ruv {

using speech_dialog_widgets::addButton;
using speech_dialog_widgets::questionTitle;

SpeechDialog::SpeechDialog(const SpeechDialogPorts& ports, QWidget* parent)
    : QDialog(parent), ports_(ports) {
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("棒読みちゃんへの各種設定"));

    testWait_ = ports_.timers.create([this] { connectionTestWaited(); });

    const auto refused = [this] { ports_.messages.show(MessageKind::Warning, cp932RefusalText()); };
    auto* layout = new QVBoxLayout(this);
    pages_ = new QTabWidget(this);
    pages_->setObjectName(QStringLiteral("PageControl01"));
    settingsPage_ = new SpeechSettingsPage(refused, pages_);
    voicePage_ = new VoiceListPage(refused, pages_);
    pages_->addTab(settingsPage_, QStringLiteral("基本設定"));
    pages_->addTab(voicePage_, QStringLiteral("ユーザー別発声設定"));
    queuePage_ = new SpeechQueuePage(
        [this](const QKeySequence& keys) { return ports_.hotkeys.trial(keys); }, pages_);
    pages_->addTab(queuePage_, QStringLiteral("読み上げの順番"));
    connect(queuePage_, &SpeechQueuePage::checkClicked, this,
            &SpeechDialog::checkConnectionClicked);
    layout->addWidget(pages_, 1);

    connect(settingsPage_, &SpeechSettingsPage::connectionTestClicked, this,
            &SpeechDialog::connectionTestClicked);
    connect(settingsPage_, &SpeechSettingsPage::voiceTestClicked, this,
            &SpeechDialog::voiceTestClicked);
    connect(settingsPage_, &SpeechSettingsPage::resetClicked, this, &SpeechDialog::resetClicked);

    connect(voicePage_, &VoiceListPage::nameEdited, this, &SpeechDialog::onCharacterNameEdited);
    connect(voicePage_, &VoiceListPage::voiceChosen, this, &SpeechDialog::onCharacterVoiceChosen);
    connect(voicePage_, &VoiceListPage::volumeMoved, this, &SpeechDialog::onCharacterVolumeMoved);
    connect(voicePage_, &VoiceListPage::speedMoved, this, &SpeechDialog::onCharacterSpeedMoved);
    connect(voicePage_, &VoiceListPage::toneMoved, this, &SpeechDialog::onCharacterToneMoved);
    connect(voicePage_, &VoiceListPage::selectionChanged, this, &SpeechDialog::onCharacterSelected);
    connect(voicePage_, &VoiceListPage::addClicked, this, &SpeechDialog::addOrEditCharacterClicked);
    connect(voicePage_, &VoiceListPage::deleteClicked, this, &SpeechDialog::deleteCharacterClicked);
    connect(voicePage_, &VoiceListPage::addModeClicked, this, &SpeechDialog::addModeClicked);
    connect(voicePage_, &VoiceListPage::editModeClicked, this, &SpeechDialog::editModeClicked);
    connect(voicePage_, &VoiceListPage::voiceTestClicked, this,
            &SpeechDialog::characterVoiceTestClicked);

    auto* bottom = new QHBoxLayout;
    auto* notice = new QLabel(QStringLiteral("OKボタンを押さないと、設定は反映されません！"), this);
    notice->setObjectName(QStringLiteral("Label01"));
    okButton_ = addButton(this, "Button01", QStringLiteral("OK"));
    auto* cancel = addButton(this, "Button02", QStringLiteral("キャンセル"));
    connect(okButton_, &QPushButton::clicked, this, &SpeechDialog::okClicked);
    connect(cancel, &QPushButton::clicked, this, &SpeechDialog::cancelClicked);
    bottom->addWidget(notice, 1);
    bottom->addWidget(okButton_);
    bottom->addWidget(cancel);
    layout->addLayout(bottom);

    onClosed();
}

// --- Opening and closing -----------------------------------------------------

void SpeechDialog::fillAndShow() {
    if (isVisible()) {
        return;
    }
    editor_.open(ports_.stored.voiceList().Profiles());
    showList();

    const SpeechSettingsReading stored = readSpeechSettings(ports_.stored.speechSettingTexts());
    settingsPage_->showValues(dialogValuesFromStored(stored));
    queuePage_->showSettings(ports_.speech.queueSettings());
    if (!stored.badKeys.empty()) {
        ports_.speech.reportError(badSpeechSettingsErrorText(stored.badKeys));
    }

    setWindowModality(Qt::ApplicationModal);
    show();
}

void SpeechDialog::done(int result) {
    onClosed();
    QDialog::done(result);
}

void SpeechDialog::onClosed() {
    pendingConnectionTest_.reset();
    testWait_->stop();
    settingsPage_->setConnectionTestEnabled(true);
    editor_.close();
    showList();
    pages_->setCurrentIndex(0);
}

// --- Basic settings ------------------------------------------------------------

void SpeechDialog::warn(std::string_view cp932Text) {
    ports_.messages.show(MessageKind::Warning, fromCp932(cp932Text));
}

void SpeechDialog::refuseNotNumber(const QString& typed) {
    ports_.messages.show(MessageKind::Warning,
                         QStringLiteral("'%1' は有効な整数値ではありません").arg(typed));
}

void SpeechDialog::refusePort() {
    const std::string typed = settingsPage_->typedValues().port;
    if (checkDialogPort(typed) == PortCheck::OutOfRange) {
        warn(portOutOfRangeText(typed));
    } else {
        refuseNotNumber(settingsPage_->portText());
    }
}

void SpeechDialog::okClicked() {
    if (!editor_.okEnabled()) {
        return;
    }
    const SpeechDialogOk ok =
        applyDialogOk(settingsPage_->typedValues(), ports_.stored.speechSettingTexts().readMode);
    if (ok.refusal == OkRefusal::LimitNotNumber) {
        refuseNotNumber(settingsPage_->limitText());
        return;
    }
    if (ok.refusal == OkRefusal::PortNotNumber || ok.refusal == OkRefusal::PortOutOfRange) {
        refusePort();
        return;
    }
    ports_.stored.setSpeechSettingTexts(ok.stored);
    ports_.speech.dropWaitingForOldEndpoint(readSpeechSettings(ok.stored).settings.endpoint);
    ports_.stored.setVoiceProfiles(editor_.rows());
    const SpeechQueueSettings queue = queuePage_->typedSettings();
    ports_.speech.setQueueSettings(queue);
    ports_.hotkeys.apply(queue.hotkeys);
    accept();
}

void SpeechDialog::cancelClicked() {
    reject();
}

void SpeechDialog::resetClicked() {
    UserMessages& messages = ports_.messages;
    if (messages.confirm(questionTitle(), fromCp932(speech_dialog_texts::kResetQuestion)) !=
        Answer::Yes) {
        return;
    }
    settingsPage_->showValues(dialogResetValues());
    messages.show(MessageKind::Information, fromCp932(speech_dialog_texts::kResetDone));
}

// --- Test buttons --------------------------------------------------------------

void SpeechDialog::sendTest(const VoiceParams* voice) {
    const SpeechDialogValues typed = settingsPage_->typedValues();
    const std::optional<SpeechEndpoint> endpoint = endpointFromTexts(typed.address, typed.port);
    if (!endpoint) {
        refusePort();
        return;
    }
    SpeechClient& client = ports_.speech.client();
    if (voice != nullptr) {
        client.SendTest(voiceTestRequest(*endpoint, *voice),
                        [this](SpeechClient::TestOutcome sent) {
                            if (sent == SpeechClient::TestOutcome::NotSent) {
                                QMetaObject::invokeMethod(
                                    this, [this] { warn(kSendFailedText); }, Qt::QueuedConnection);
                            }
                        });
        return;
    }
    // The wait for the question starts once the request was sent or given up,
    // so the speech program has had its time to speak.
    settingsPage_->setConnectionTestEnabled(false);
    const std::uint64_t request = ++connectionTests_;
    pendingConnectionTest_ = request;
    client.SendTest(connectionTestRequest(*endpoint),
                    [this, request](SpeechClient::TestOutcome sent) {
                        QMetaObject::invokeMethod(
                            this, [this, request, sent] { connectionTestTried(request, sent); },
                            Qt::QueuedConnection);
                    });
}

void SpeechDialog::connectionTestTried(std::uint64_t request, SpeechClient::TestOutcome sent) {
    if (pendingConnectionTest_ != request) {
        return;
    }
    pendingConnectionTest_.reset();
    if (sent == SpeechClient::TestOutcome::Sent) {
        testWait_->start(kConnectionTestWait);
        return;
    }
    // Nothing reached the speech program: there is nothing to ask about.
    settingsPage_->setConnectionTestEnabled(true);
    warn(kSendFailedText);
}

void SpeechDialog::connectionTestWaited() {
    settingsPage_->setConnectionTestEnabled(true);
    UserMessages& messages = ports_.messages;
    if (messages.ask(questionTitle(), fromCp932(kConnectionTestQuestion)) == Answer::Yes) {
        messages.show(MessageKind::Information, fromCp932(kConnectionTestDone));
    } else {
        messages.show(MessageKind::Warning, fromCp932(connectionTestAdvice()));
    }
}

void SpeechDialog::connectionTestClicked() {
    if (pendingConnectionTest_ || testWait_->active()) {
        return;
    }
    sendTest(nullptr);
}

void SpeechDialog::checkConnectionClicked() {
    const SpeechDialogValues typed = settingsPage_->typedValues();
    const std::optional<SpeechEndpoint> endpoint = endpointFromTexts(typed.address, typed.port);
    if (!endpoint) {
        refusePort();
        return;
    }
    queuePage_->showCheck(fromCp932(speech_check_texts::kChecking));
    ports_.speech.client().check(*endpoint, [this](const SpeechProgramCheck& check) {
        QMetaObject::invokeMethod(
            this, [this, text = speechCheckText(check)] { queuePage_->showCheck(fromCp932(text)); },
            Qt::QueuedConnection);
    });
}

void SpeechDialog::voiceTestClicked() {
    const VoiceParams voice = settingsPage_->typedVoice();
    sendTest(&voice);
}

void SpeechDialog::characterVoiceTestClicked() {
    const VoiceParams voice = voicePage_->typedVoice();
    sendTest(&voice);
}

}  // namespace ruv
