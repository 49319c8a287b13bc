#include "shell/speech/speech_queue_page.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeySequenceEdit>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <utility>

#include "shell/speech/speech_hotkeys.h"

namespace ruv {

namespace {

QSpinBox* spinBox(QWidget* parent, const char* name, int most) {
    auto* box = new QSpinBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setRange(0, most);
    return box;
}

struct HotkeyRow {
    const char* name;
    QString caption;
};

HotkeyRow hotkeyRow(SpeechHotkeyCommand command) {
    switch (command) {
        case SpeechHotkeyCommand::Skip:
            return {"HotkeySkip", QStringLiteral("今の行を飛ばす")};
        case SpeechHotkeyCommand::Clear:
            return {"HotkeyClear", QStringLiteral("待っている行をすべて消す")};
        case SpeechHotkeyCommand::Pause:
            return {"HotkeyPause", QStringLiteral("一時停止／再開")};
    }
    return {"", {}};
}

QString hotkeyNote(HotkeyStatus status) {
    switch (status) {
        case HotkeyStatus::Off:
        case HotkeyStatus::Held:
            return {};
        case HotkeyStatus::Taken:
            return QStringLiteral("ほかのプログラムが使っているため、このキーは使えません");
        case HotkeyStatus::Unavailable:
            return QStringLiteral("この環境ではホットキーを使えません");
        case HotkeyStatus::Unusable:
            return QStringLiteral("このキーはホットキーにできません");
    }
    return {};
}

}  // namespace

SpeechQueuePage::SpeechQueuePage(HotkeyTrial trial, QWidget* parent)
    : QWidget(parent), trial_(std::move(trial)) {
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

    auto* hotkeys = new QGroupBox(QStringLiteral("ゲーム中も効くキー（ホットキー）"), this);
    addHotkeyRows(hotkeys);
    layout->addWidget(hotkeys);

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
    for (const SpeechHotkeyCommand command : kSpeechHotkeyCommands) {
        const QKeySequence keys = hotkeyKeys(settings.hotkeys.of(command));
        hotkeyEdit(command)->setKeySequence(keys);
        showHotkeyNote(command, hotkeyNote(trial_(keys)));
    }
    checkResult_->clear();
}

SpeechQueueSettings SpeechQueuePage::typedSettings() const {
    return {linesThere_->value(), staleSeconds_->value(), perSpeaker_->value(), typedHotkeys()};
}

SpeechHotkeyTexts SpeechQueuePage::typedHotkeys() const {
    SpeechHotkeyTexts texts;
    for (const SpeechHotkeyCommand command : kSpeechHotkeyCommands) {
        texts.of(command) = hotkeyText(hotkeyEdit(command)->keySequence());
    }
    return texts;
}

void SpeechQueuePage::addHotkeyRows(QWidget* box) {
    auto* form = new QFormLayout(box);
    if (!hotkeysAvailable()) {
        auto* note = new QLabel(
            QStringLiteral("この環境（Wayland など）ではホットキーを使えません。"
                           "ウィンドウの中では、読み上げメニューのショートカットキーが効きます。"),
            box);
        note->setObjectName(QStringLiteral("HotkeysUnavailable"));
        note->setWordWrap(true);
        form->addRow(note);
    }
    for (const SpeechHotkeyCommand command : kSpeechHotkeyCommands) {
        const HotkeyRow row = hotkeyRow(command);
        auto* edit = new QKeySequenceEdit(box);
        edit->setObjectName(QString::fromLatin1(row.name) + QStringLiteral("Edit"));
        edit->setClearButtonEnabled(true);
        edit->setEnabled(hotkeysAvailable());
        auto* note = new QLabel(box);
        note->setObjectName(QString::fromLatin1(row.name) + QStringLiteral("Note"));
        note->setTextFormat(Qt::PlainText);
        auto* line = new QHBoxLayout;
        line->addWidget(edit, 1);
        line->addWidget(note, 1);
        form->addRow(row.caption, line);
        hotkeyEdits_[static_cast<std::size_t>(command)] = edit;
        hotkeyNotes_[static_cast<std::size_t>(command)] = note;
        connect(edit, &QKeySequenceEdit::editingFinished, this,
                [this, command] { hotkeyTyped(command); });
        connect(edit, &QKeySequenceEdit::keySequenceChanged, this,
                [this, command](const QKeySequence& keys) {
                    if (keys.isEmpty()) {
                        showHotkeyNote(command, {});  // the clear button
                    }
                });
    }
}

// A hotkey is one combination: what was typed after the first is dropped.
void SpeechQueuePage::hotkeyTyped(SpeechHotkeyCommand command) {
    QKeySequenceEdit* edit = hotkeyEdit(command);
    if (edit->keySequence().count() > 1) {
        edit->setKeySequence(QKeySequence(edit->keySequence()[0]));
    }
    const QKeySequence keys = edit->keySequence();
    // A key alone would be taken from the game; Escape alone cancels the typing.
    if (!keys.isEmpty() && !canBeGlobalHotkey(keys[0])) {
        edit->clear();
        showHotkeyNote(command, keys[0] == QKeyCombination(Qt::Key_Escape)
                                    ? QString()
                                    : QStringLiteral("Ctrl・Alt・Shift と一緒に押してください"));
        return;
    }
    for (const SpeechHotkeyCommand other : kSpeechHotkeyCommands) {
        if (other != command && !keys.isEmpty() && hotkeyEdit(other)->keySequence() == keys) {
            edit->clear();
            showHotkeyNote(command, QStringLiteral("ほかの操作と同じキーです"));
            return;
        }
    }
    showHotkeyNote(command, hotkeyNote(trial_(keys)));
}

void SpeechQueuePage::showHotkeyNote(SpeechHotkeyCommand command, const QString& text) {
    hotkeyNotes_[static_cast<std::size_t>(command)]->setText(text);
}

void SpeechQueuePage::showCheck(const QString& text) {
    checkResult_->setText(text);
}

}  // namespace ruv
