#include "shell/speech/ruvivuvaz_op03.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMetaObject>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <string>

#include "core/speech/speech_dialog_rules.h"
#include "core/speech/speech_test_buttons.h"
#include "core/text/cp932.h"
#include "shell/app/ruvivuvaz.h"
#include "shell/app/session.h"
#include "shell/platform/qt_text.h"
#include "shell/platform/user_messages.h"
#include "shell/speech/cp932_refusal.h"
#include "shell/speech/speech_dialog_widgets.h"
#include "shell/speech/speech_settings_page.h"
#include "shell/speech/voice_list_page.h"

namespace ruv {

using speech_dialog_widgets::addButton;
using speech_dialog_widgets::questionTitle;

TForm4::TForm4(TForm1& window) : QDialog(&window), window_(window) {
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("棒読みちゃんへの各種設定"));

    testWait_ = window.session().timers.create([this] { connectionTestWaited(); });

    const auto refused = [this] {
        window_.messages().show(MessageKind::Warning, cp932RefusalText());
    };
    auto* layout = new QVBoxLayout(this);
    pages_ = new QTabWidget(this);
    pages_->setObjectName(QStringLiteral("PageControl01"));
    settingsPage_ = new SpeechSettingsPage(refused, pages_);
    voicePage_ = new VoiceListPage(refused, pages_);
    pages_->addTab(settingsPage_, QStringLiteral("基本設定"));
    pages_->addTab(voicePage_, QStringLiteral("ユーザー別発声設定"));
    layout->addWidget(pages_, 1);

    connect(settingsPage_, &SpeechSettingsPage::connectionTestClicked, this,
            &TForm4::TestButton01Click);
    connect(settingsPage_, &SpeechSettingsPage::voiceTestClicked, this,
            &TForm4::VoiceTestButton01Click);
    connect(settingsPage_, &SpeechSettingsPage::resetClicked, this, &TForm4::Button03Click);

    connect(voicePage_, &VoiceListPage::nameEdited, this, &TForm4::NameEdit01Change);
    connect(voicePage_, &VoiceListPage::voiceChosen, this, &TForm4::VoiceComboBox02Change);
    connect(voicePage_, &VoiceListPage::volumeMoved, this, &TForm4::TrackBar11Change);
    connect(voicePage_, &VoiceListPage::speedMoved, this, &TForm4::TrackBar12Change);
    connect(voicePage_, &VoiceListPage::toneMoved, this, &TForm4::TrackBar13Change);
    connect(voicePage_, &VoiceListPage::selectionChanged, this, &TForm4::ListView01SelectItem);
    connect(voicePage_, &VoiceListPage::addClicked, this, &TForm4::ListAddButton01Click);
    connect(voicePage_, &VoiceListPage::deleteClicked, this, &TForm4::Delete1Click);
    connect(voicePage_, &VoiceListPage::addModeClicked, this, &TForm4::AddRadioButton01Click);
    connect(voicePage_, &VoiceListPage::editModeClicked, this, &TForm4::EditRadioButton01Click);
    connect(voicePage_, &VoiceListPage::voiceTestClicked, this, &TForm4::VoiceTestButton02Click);

    auto* bottom = new QHBoxLayout;
    auto* notice = new QLabel(QStringLiteral("OKボタンを押さないと、設定は反映されません！"), this);
    notice->setObjectName(QStringLiteral("Label01"));
    okButton_ = addButton(this, "Button01", QStringLiteral("OK"));
    auto* cancel = addButton(this, "Button02", QStringLiteral("キャンセル"));
    connect(okButton_, &QPushButton::clicked, this, &TForm4::Button01Click);
    connect(cancel, &QPushButton::clicked, this, &TForm4::Button02Click);
    bottom->addWidget(notice, 1);
    bottom->addWidget(okButton_);
    bottom->addWidget(cancel);
    layout->addLayout(bottom);

    FormClose();
}

// --- Opening and closing -----------------------------------------------------

void TForm4::OpenSpeechSettings() {
    if (isVisible()) {
        return;
    }
    editor_.open(window_.voiceList().Profiles());
    showList();

    const SpeechSettingsReading stored = readSpeechSettings(window_.speechSettingTexts());
    settingsPage_->showValues(dialogValuesFromStored(stored));
    if (!stored.badKeys.empty()) {
        window_.session().speechSide.reportError(badSpeechSettingsErrorText(stored.badKeys));
    }

    setWindowModality(Qt::ApplicationModal);
    show();
}

void TForm4::done(int result) {
    FormClose();
    QDialog::done(result);
}

void TForm4::FormClose() {
    pendingConnectionTest_.reset();
    testWait_->stop();
    settingsPage_->setConnectionTestEnabled(true);
    editor_.close();
    showList();
    pages_->setCurrentIndex(0);
}

// --- Basic settings ------------------------------------------------------------

void TForm4::warn(std::string_view cp932Text) {
    window_.messages().show(MessageKind::Warning, fromCp932(cp932Text));
}

void TForm4::refuseNotNumber(const QString& typed) {
    window_.messages().show(MessageKind::Warning,
                            QStringLiteral("'%1' は有効な整数値ではありません").arg(typed));
}

void TForm4::refusePort() {
    const std::string typed = settingsPage_->typedValues().port;
    if (checkDialogPort(typed) == PortCheck::OutOfRange) {
        warn(portOutOfRangeText(typed));
    } else {
        refuseNotNumber(settingsPage_->portText());
    }
}

void TForm4::Button01Click() {
    if (!editor_.okEnabled()) {
        return;
    }
    const SpeechDialogOk ok =
        applyDialogOk(settingsPage_->typedValues(), window_.speechSettingTexts().readMode);
    if (ok.refusal == OkRefusal::LimitNotNumber) {
        refuseNotNumber(settingsPage_->limitText());
        return;
    }
    if (ok.refusal == OkRefusal::PortNotNumber || ok.refusal == OkRefusal::PortOutOfRange) {
        refusePort();
        return;
    }
    window_.setSpeechSettingTexts(ok.stored);
    window_.session().speechSide.dropWaitingForOldEndpoint();
    window_.setVoiceProfiles(editor_.rows());
    accept();
}

void TForm4::Button02Click() {
    reject();
}

void TForm4::Button03Click() {
    UserMessages& messages = window_.messages();
    if (messages.confirm(questionTitle(), fromCp932(speech_dialog_texts::kResetQuestion)) !=
        Answer::Yes) {
        return;
    }
    settingsPage_->showValues(dialogResetValues());
    messages.show(MessageKind::Information, fromCp932(speech_dialog_texts::kResetDone));
}

// --- Test buttons --------------------------------------------------------------

void TForm4::sendTest(const VoiceParams* voice) {
    const SpeechDialogValues typed = settingsPage_->typedValues();
    const std::optional<SpeechEndpoint> endpoint = endpointFromTexts(typed.address, typed.port);
    if (!endpoint) {
        refusePort();
        return;
    }
    SpeechClient& client = window_.session().speechSide.client();
    if (voice != nullptr) {
        client.SendTest(voiceTestRequest(*endpoint, *voice));
        return;
    }
    // The wait for the question starts once the request was sent or given up,
    // so the speech program has had its time to speak.
    settingsPage_->setConnectionTestEnabled(false);
    const std::uint64_t request = ++connectionTests_;
    pendingConnectionTest_ = request;
    client.SendTest(connectionTestRequest(*endpoint), [this, request] {
        QMetaObject::invokeMethod(
            this, [this, request] { connectionTestTried(request); }, Qt::QueuedConnection);
    });
}

void TForm4::connectionTestTried(std::uint64_t request) {
    if (pendingConnectionTest_ == request) {
        pendingConnectionTest_.reset();
        testWait_->start(kConnectionTestWait);
    }
}

void TForm4::connectionTestWaited() {
    settingsPage_->setConnectionTestEnabled(true);
    UserMessages& messages = window_.messages();
    if (messages.ask(questionTitle(), fromCp932(kConnectionTestQuestion)) == Answer::Yes) {
        messages.show(MessageKind::Information, fromCp932(kConnectionTestDone));
    } else {
        messages.show(MessageKind::Warning, fromCp932(connectionTestAdvice()));
    }
}

void TForm4::TestButton01Click() {
    if (pendingConnectionTest_ || testWait_->active()) {
        return;
    }
    sendTest(nullptr);
}

void TForm4::VoiceTestButton01Click() {
    const VoiceParams voice = settingsPage_->typedVoice();
    sendTest(&voice);
}

void TForm4::VoiceTestButton02Click() {
    const VoiceParams voice = voicePage_->typedVoice();
    sendTest(&voice);
}

}  // namespace ruv
