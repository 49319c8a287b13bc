#include "shell/sound/call_sound_dialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/platform/native_path.h"
#include "core/sound/call_sound_dialog_rules.h"
#include "core/text/cp932.h"
#include "shell/platform/cp932_validator.h"
#include "shell/platform/user_messages.h"
#include "shell/sound/sound_message_text.h"

namespace ruv {

namespace {

constexpr int kFieldWidth = 320;

QString twoDigits(int number) {
    return QStringLiteral("%1").arg(number, 2, 10, QLatin1Char('0'));
}

}  // namespace

const QString CallSoundDialog::kBrowseFilter =
    QStringLiteral("Wave ファイル(*.wav);;MP3 ファイル(*.mp3);;すべてのファイル (*)");

CallSoundDialog::CallSoundDialog(CallSoundSlots& soundSlots, UserMessages& messages,
                                 QWidget* parent)
    : QDialog(parent), slots_(soundSlots), messages_(messages) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("呼び出し音の設定"));
    chooser_ = [this](const QString& fileName, const QString& folder, const QString& filter) {
        return chooseWithFileDialog(this, fileName, folder, filter);
    };

    auto* form = new QFormLayout;
    for (std::size_t i = 0; i < kCallSoundSlotCount; ++i) {
        const ChatChannel slot = kCallSoundSlots[i];
        const int number = callSoundSlotNumber(slot);

        auto* edit = new QLineEdit(this);
        edit->setObjectName(QStringLiteral("LabeledEdit") + twoDigits(number));
        edit->setMinimumWidth(kFieldWidth);
        edit->setValidator(new Cp932Validator(edit));
        fields_[i] = edit;

        auto* button = new QToolButton(this);
        button->setObjectName(QStringLiteral("SpeedButton%1").arg(number));
        button->setText(QStringLiteral("..."));
        button->setProperty("tag", number);
        connect(button, &QToolButton::clicked, this, &CallSoundDialog::browseClicked);
        buttons_[i] = button;

        if (slot == ChatChannel::Original) {
            // Its path comes only from the settings file.
            edit->setReadOnly(true);
            edit->setEnabled(false);
            button->setEnabled(false);
        }

        auto* row = new QHBoxLayout;
        row->addWidget(edit, 1);
        row->addWidget(button);
        form->addRow(decodeSoundText(callSoundLabel(slot)), row);
    }

    okButton_ = new QPushButton(QStringLiteral("OK"), this);
    okButton_->setObjectName(QStringLiteral("Button1"));
    okButton_->setDefault(true);
    connect(okButton_, &QPushButton::clicked, this, &CallSoundDialog::okClicked);
    cancelButton_ = new QPushButton(QStringLiteral("キャンセル"), this);
    cancelButton_->setObjectName(QStringLiteral("Button2"));
    connect(cancelButton_, &QPushButton::clicked, this, &CallSoundDialog::cancelClicked);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(okButton_);
    buttons->addWidget(cancelButton_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
}

void CallSoundDialog::fillFromSlots() {
    for (std::size_t i = 0; i < kCallSoundSlotCount; ++i) {
        fields_[i]->setText(decodeSoundText(slots_.path(kCallSoundSlots[i])));
    }
}

QLineEdit* CallSoundDialog::field(ChatChannel slot) const {
    const auto index = callSoundIndex(slot);
    return index ? fields_[*index] : nullptr;
}

QToolButton* CallSoundDialog::browseButton(ChatChannel slot) const {
    const auto index = callSoundIndex(slot);
    return index ? buttons_[*index] : nullptr;
}

void CallSoundDialog::browseClicked() {
    const QObject* button = sender();
    if (button == nullptr) {
        return;
    }
    if (const auto slot = callSoundSlotOfNumber(button->property("tag").toInt())) {
        browse(*slot);
    }
}

void CallSoundDialog::browse(ChatChannel slot) {
    QLineEdit* edit = field(slot);
    const QString fileName = edit->text();
    QString folder;
    if (const auto cp932 = cp932::fromUtf16(fileName.toStdU16String())) {
        folder = decodeSoundText(platform::folderOf(*cp932));
    }
    const QString chosen = chooser_(fileName, folder, kBrowseFilter);
    if (!chosen.isEmpty()) {
        edit->setText(QDir::toNativeSeparators(chosen));
    }
}

std::optional<CallSoundPaths> CallSoundDialog::fieldPaths() {
    CallSoundPaths paths;
    for (std::size_t i = 0; i < kCallSoundSlotCount; ++i) {
        const auto cp932 = cp932::fromUtf16(fields_[i]->text().toStdU16String());
        if (!cp932) {
            // The validator keeps such text out; a path CP932 cannot hold names no file here.
            messages_.showTitled(MessageKind::Warning,
                                 decodeSoundText(call_sound_texts::kFileCheckTitle),
                                 decodeSoundText(missingSoundMessage(kCallSoundSlots[i])));
            return std::nullopt;
        }
        paths[i] = *cp932;
    }
    return paths;
}

void CallSoundDialog::okClicked() {
    const auto paths = fieldPaths();
    if (!paths) {
        return;
    }
    if (const auto refusal = checkCallSoundPaths(*paths)) {
        messages_.showTitled(MessageKind::Warning, decodeSoundText(refusal->title),
                             decodeSoundText(refusal->text));
        return;
    }
    if (const auto failure = slots_.ApplyPaths(*paths)) {
        // The paths are assigned; the slots after the failing one stay closed.
        messages_.show(MessageKind::Warning, decodeSoundText(mediaOpenErrorText(
                                                 failure->result, slots_.path(failure->slot))));
        return;
    }
    accept();
}

void CallSoundDialog::cancelClicked() {
    reject();
}

QString CallSoundDialog::chooseWithFileDialog(QWidget* parent, const QString& fileName,
                                              const QString& folder, const QString& filter) {
    QFileDialog dialog(parent);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(filter.split(QStringLiteral(";;")));
    if (!folder.isEmpty()) {
        dialog.setDirectory(folder);
    }
    if (!fileName.isEmpty()) {
        dialog.selectFile(fileName);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().constFirst();
}

}  // namespace ruv
