#include "shell/speech/speech_queue_page.h"

#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace ruv {

namespace {

QSpinBox* spinBox(QWidget* parent, const char* name, int most) {
    auto* box = new QSpinBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setRange(0, most);
    return box;
}

}  // namespace

SpeechQueuePage::SpeechQueuePage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("SpeechQueuePage"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    linesThere_ = spinBox(this, "LinesThereEdit", kMostLinesThere);
    staleSeconds_ = spinBox(this, "StaleSecondsEdit", kMostStaleSeconds);
    perSpeaker_ = spinBox(this, "PerSpeakerEdit", kMostPerSpeaker);
    form->addRow(QStringLiteral("棒読みちゃんに待たせる行数（0：すぐ送る）"), linesThere_);
    form->addRow(QStringLiteral("この秒数より古い行は捨てる（0：捨てない）"), staleSeconds_);
    form->addRow(QStringLiteral("一人が待たせられる行数（0：制限なし）"), perSpeaker_);
    layout->addLayout(form);

    auto* note = new QLabel(
        QStringLiteral("耳打ちと「優先」のルールの言葉は、待っている行より先に読み上げます。"
                       "連投の制限もかかりません。"),
        this);
    note->setWordWrap(true);
    layout->addWidget(note);

    check_ = new QPushButton(QStringLiteral("接続を確認"), this);
    check_->setObjectName(QStringLiteral("CheckButton"));
    connect(check_, &QPushButton::clicked, this, &SpeechQueuePage::checkClicked);
    checkResult_ = new QLabel(this);
    checkResult_->setObjectName(QStringLiteral("CheckResult"));
    checkResult_->setTextFormat(Qt::PlainText);
    checkResult_->setWordWrap(true);
    layout->addWidget(check_, 0, Qt::AlignLeft);
    layout->addWidget(checkResult_);
    layout->addStretch(1);
}

void SpeechQueuePage::showSettings(const SpeechQueueSettings& settings) {
    linesThere_->setValue(settings.linesThere);
    staleSeconds_->setValue(settings.staleSeconds);
    perSpeaker_->setValue(settings.perSpeaker);
    checkResult_->clear();
}

SpeechQueueSettings SpeechQueuePage::typedSettings() const {
    return {linesThere_->value(), staleSeconds_->value(), perSpeaker_->value()};
}

void SpeechQueuePage::showCheck(const QString& text) {
    checkResult_->setText(text);
}

}  // namespace ruv
