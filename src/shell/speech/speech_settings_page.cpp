#include "shell/speech/speech_settings_page.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

#include <algorithm>

#include "core/text/cp932.h"
#include "shell/platform/qt_text.h"
#include "shell/speech/speech_dialog_widgets.h"

namespace ruv {

namespace {

using namespace speech_dialog_widgets;

constexpr int kLimitMaxLength = 3;

QString usageMemo() {
    return QStringLiteral(
        "【棒読みちゃんとの連携】\n"
        "オリジナルタブに混ぜた行を、別に起動した棒読みちゃんに送って読み上げさせます。"
        "棒読みちゃんの「アプリケーション連携」で「Socket通信を使う」を True にしてください。\n"
        "\n"
        "【IPアドレス・ポート番号】\n"
        "棒読みちゃんの設定と同じ値にします（初期値 127.0.0.1 / 50001）。"
        "「通信テスト」で届くか確かめられます。\n"
        "\n"
        "【声】\n"
        "音量は 0～100、速度と音程は 50～200、声質はデフォルトと8種類から選べます。"
        "「ユーザー別発声設定」でキャラごとの声を登録すると、そのキャラの発言はその声で読まれます。"
        "\n"
        "\n"
        "【文字数制限】\n"
        "1行で読み上げる全角の文字数です（半角は2文字で全角1文字）。64文字まで指定できます。\n"
        "\n"
        "【発言者の名前】\n"
        "「読まない」にすると、一般・チーム・クラブ・耳打ちの行は発言者の名前を省いて読みます。"
        "叫びなどの行は名前も読みます。\n"
        "\n"
        "設定は「OK」を押すまで反映されません。");
}

// The validators keep every field within CP932.
std::string fieldText(const QLineEdit* edit) {
    return cp932::fromUtf16(edit->text().toStdU16String()).value_or(std::string{});
}

}  // namespace

SpeechSettingsPage::SpeechSettingsPage(std::function<void()> refused, QWidget* parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("TabSheet01"));
    auto* layout = new QHBoxLayout(this);
    auto* form = new QFormLayout;

    addressEdit_ = guardedEdit(this, "AddressEdit01", refused);
    portEdit_ = guardedEdit(this, "PortEdit01", refused);
    testButton_ = addButton(this, "TestButton01", QStringLiteral("通信テスト"));
    connect(testButton_, &QPushButton::clicked, this, &SpeechSettingsPage::connectionTestClicked);
    auto* portRow = new QHBoxLayout;
    portRow->addWidget(portEdit_, 1);
    portRow->addWidget(testButton_);
    form->addRow(QStringLiteral("IPアドレス"), addressEdit_);
    form->addRow(QStringLiteral("ポート番号"), portRow);

    addVoiceSliderRows(this, form, 1, sliders_, labels_);
    connect(sliders_[0], &QSlider::valueChanged, this, &SpeechSettingsPage::onVolumeMoved);
    connect(sliders_[1], &QSlider::valueChanged, this, &SpeechSettingsPage::onSpeedMoved);
    connect(sliders_[2], &QSlider::valueChanged, this, &SpeechSettingsPage::onToneMoved);

    voice_ = new QComboBox(this);
    voice_->setObjectName(QStringLiteral("VoiceComboBox01"));
    addVoiceEntries(voice_, VoiceEntries::Plain);
    auto* voiceTest = addButton(this, "VoiceTestButton01", QStringLiteral("ボイステスト"));
    connect(voiceTest, &QPushButton::clicked, this, &SpeechSettingsPage::voiceTestClicked);
    auto* voiceRow = new QHBoxLayout;
    voiceRow->addWidget(voice_, 1);
    voiceRow->addWidget(voiceTest);
    form->addRow(QStringLiteral("声質"), voiceRow);

    limitEdit_ = guardedEdit(this, "LimitEdit01", refused);
    limitEdit_->setMaxLength(kLimitMaxLength);
    limitEdit_->setToolTip(QStringLiteral("全角64文字数以内"));
    form->addRow(QStringLiteral("文字数制限"), limitEdit_);

    auto* names = new QGroupBox(QStringLiteral("発言者の名前は"), this);
    names->setObjectName(QStringLiteral("GroupBox01"));
    auto* namesRow = new QHBoxLayout(names);
    readNames_ = new QRadioButton(QStringLiteral("読む"), names);
    readNames_->setObjectName(QStringLiteral("RadioButton01"));
    skipNames_ = new QRadioButton(QStringLiteral("読まない"), names);
    skipNames_->setObjectName(QStringLiteral("RadioButton02"));
    namesRow->addWidget(readNames_);
    namesRow->addWidget(skipNames_);
    form->addRow(names);

    auto* reset = addButton(this, "Button03", QStringLiteral("設定の初期化"));
    connect(reset, &QPushButton::clicked, this, &SpeechSettingsPage::resetClicked);
    form->addRow(reset);
    layout->addLayout(form, 1);

    auto* memo = new QPlainTextEdit(this);
    memo->setObjectName(QStringLiteral("ManualMemo01"));
    memo->setReadOnly(true);
    memo->setPlainText(usageMemo());
    layout->addWidget(memo, 1);
}

void SpeechSettingsPage::showValues(const SpeechDialogValues& values) {
    addressEdit_->setText(fromCp932(values.address));
    portEdit_->setText(fromCp932(values.port));
    sliders_[0]->setValue(values.volume);
    sliders_[1]->setValue(values.speed);
    sliders_[2]->setValue(values.tone);
    for (std::size_t i = 0; i < 3; ++i) {
        labels_[i]->setText(QString::number(sliders_[i]->value()));
    }
    voice_->setCurrentIndex(std::clamp(values.voiceKind, 0, voice_->count() - 1));
    limitEdit_->setText(fromCp932(values.limit));
    (values.names == NameReading::Read ? readNames_ : skipNames_)->setChecked(true);
}

SpeechDialogValues SpeechSettingsPage::typedValues() const {
    SpeechDialogValues values;
    values.address = fieldText(addressEdit_);
    values.port = fieldText(portEdit_);
    values.volume = sliders_[0]->value();
    values.speed = sliders_[1]->value();
    values.tone = sliders_[2]->value();
    values.voiceKind = voice_->currentIndex();
    values.limit = fieldText(limitEdit_);
    values.names = readNames_->isChecked() ? NameReading::Read : NameReading::NotRead;
    return values;
}

VoiceParams SpeechSettingsPage::typedVoice() const {
    return {sliders_[1]->value(), sliders_[2]->value(), sliders_[0]->value(),
            voice_->currentIndex()};
}

QString SpeechSettingsPage::portText() const {
    return portEdit_->text();
}

QString SpeechSettingsPage::limitText() const {
    return limitEdit_->text();
}

void SpeechSettingsPage::setConnectionTestEnabled(bool enabled) {
    testButton_->setEnabled(enabled);
}

void SpeechSettingsPage::onVolumeMoved() {
    labels_[0]->setText(QString::number(sliders_[0]->value()));
}
void SpeechSettingsPage::onSpeedMoved() {
    labels_[1]->setText(QString::number(sliders_[1]->value()));
}
void SpeechSettingsPage::onToneMoved() {
    labels_[2]->setText(QString::number(sliders_[2]->value()));
}

}  // namespace ruv
