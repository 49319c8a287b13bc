// TForm4's per-character list: the rows, the edit panel that edits them live,
// adding, renaming and deleting rows, and the two edit modes.

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTreeWidget>

#include <exception>

#include "core/speech/speech_dialog_rules.h"
#include "shell/app/ruvivuvaz.h"
#include "shell/platform/qt_text.h"
#include "shell/platform/user_messages.h"
#include "shell/speech/ruvivuvaz_op03.h"
#include "shell/speech/ruvivuvaz_op03_parts.h"

namespace ruv {

using namespace speech_dialog_parts;

// --- Per-character list --------------------------------------------------------

void TForm4::appendRowItem(const VoiceProfile& row) {
    auto* item = new QTreeWidgetItem(list_);
    item->setText(kNameColumn, fromCp932(row.Name));
    item->setText(kVoiceColumn, QString::number(row.Voice));
    item->setText(kVolumeColumn, QString::number(row.Volume));
    item->setText(kSpeedColumn, QString::number(row.Speed));
    item->setText(kToneColumn, QString::number(row.Tone));
}

std::optional<std::size_t> TForm4::selectedRow() const {
    for (int i = 0; i < list_->topLevelItemCount(); ++i) {
        if (list_->topLevelItem(i)->isSelected()) {
            return static_cast<std::size_t>(i);
        }
    }
    return std::nullopt;
}

std::optional<std::size_t> TForm4::editedRow() const {
    const std::optional<std::size_t> selected = selectedRow();
    if (filling_ || !selected || rowNumber_->text().isEmpty() ||
        rowNumber_->text() != QString::number(*selected)) {
        return std::nullopt;
    }
    return selected;
}

void TForm4::fillPanel(const VoiceProfile& values) {
    nameEdit_->setText(fromCp932(values.Name));
    rowVoice_->setCurrentIndex(std::clamp(values.Voice, 0, rowVoice_->count() - 1));
    rowSliders_[0]->setValue(values.Volume);
    rowSliders_[1]->setValue(values.Speed);
    rowSliders_[2]->setValue(values.Tone);
    for (std::size_t i = 0; i < 3; ++i) {
        rowLabels_[i]->setText(QString::number(rowSliders_[i]->value()));
    }
}

void TForm4::ListView01SelectItem() {
    if (filling_) {
        return;
    }
    filling_ = true;
    rowNumber_->clear();
    if (const std::optional<std::size_t> selected = selectedRow()) {
        fillPanel(rows_[*selected]);
        rowNumber_->setText(QString::number(*selected));
    } else {
        fillPanel(kPanelResetValues);
    }
    filling_ = false;
}

void TForm4::writeRowCell(std::size_t index, int column) {
    const VoiceProfile& row = rows_[index];
    QTreeWidgetItem* item = list_->topLevelItem(static_cast<int>(index));
    switch (column) {
        case kNameColumn:
            item->setText(column, fromCp932(row.Name));
            break;
        case kVoiceColumn:
            item->setText(column, QString::number(row.Voice));
            break;
        case kVolumeColumn:
            item->setText(column, QString::number(row.Volume));
            break;
        case kSpeedColumn:
            item->setText(column, QString::number(row.Speed));
            break;
        case kToneColumn:
            item->setText(column, QString::number(row.Tone));
            break;
        default:
            break;
    }
}

void TForm4::panelSliderChanged(QSlider* slider, QLabel* label, int column) {
    try {
        label->setText(QString::number(slider->value()));
        if (const std::optional<std::size_t> row = editedRow()) {
            VoiceProfile& profile = rows_[*row];
            (column == kVolumeColumn  ? profile.Volume
             : column == kSpeedColumn ? profile.Speed
                                      : profile.Tone) = slider->value();
            writeRowCell(*row, column);
        }
    } catch (const std::exception&) {
        window_.messages().show(MessageKind::Warning, fromCp932(speech_dialog_texts::kEditFailed));
    }
}

void TForm4::TrackBar11Change() {
    panelSliderChanged(rowSliders_[0], rowLabels_[0], kPanelSliderColumns[0]);
}
void TForm4::TrackBar12Change() {
    panelSliderChanged(rowSliders_[1], rowLabels_[1], kPanelSliderColumns[1]);
}
void TForm4::TrackBar13Change() {
    panelSliderChanged(rowSliders_[2], rowLabels_[2], kPanelSliderColumns[2]);
}

void TForm4::VoiceComboBox02Change() {
    try {
        if (const std::optional<std::size_t> row = editedRow()) {
            rows_[*row].Voice = rowVoice_->currentIndex();
            writeRowCell(*row, kVoiceColumn);
        }
    } catch (const std::exception&) {
        window_.messages().show(MessageKind::Warning, fromCp932(speech_dialog_texts::kEditFailed));
    }
}

void TForm4::setNameState(bool blocked, bool duplicate) {
    const QColor colour = blocked ? QColor(255, 0, 0) : QColor(0, 0, 0);
    nameLabel_->setText(fromCp932(duplicate ? speech_dialog_texts::kDuplicateLabel
                                            : speech_dialog_texts::kNameLabel));
    QPalette labelPalette = nameLabel_->palette();
    labelPalette.setColor(QPalette::WindowText, colour);
    nameLabel_->setPalette(labelPalette);
    QPalette editPalette = nameEdit_->palette();
    editPalette.setColor(QPalette::Text, colour);
    nameEdit_->setPalette(editPalette);
}

void TForm4::setListEnabled(bool enabled) {
    list_->setEnabled(enabled);
    // Greyed while it cannot be used.
    QPalette palette = list_->palette();
    palette.setColor(QPalette::Base, enabled ? QColor(255, 255, 255) : QColor(0xf0, 0xf0, 0xf0));
    list_->setPalette(palette);
}

void TForm4::NameEdit01Change() {
    try {
        const std::optional<std::size_t> row = editedRow();
        if (!row) {
            return;
        }
        const std::string name = fieldText(nameEdit_).value_or(std::string{});
        const bool duplicate = duplicatesAnotherRow(rows_, name, *row);
        // A row without a name could never be matched nor read back: held like a duplicate.
        const bool blocked = duplicate || name.empty();
        rows_[*row].Name = name;
        writeRowCell(*row, kNameColumn);

        setNameState(blocked, duplicate);
        setListEnabled(!blocked);
        addMode_->setEnabled(!blocked);
        okButton_->setEnabled(!blocked);
        deleteButton_->setEnabled(!blocked);
    } catch (const std::exception&) {
        window_.messages().show(MessageKind::Warning, fromCp932(speech_dialog_texts::kEditFailed));
    }
}

void TForm4::ListAddButton01Click() {
    try {
        if (!addMode_->isChecked() || !addButton_->isEnabled()) {
            return;
        }
        const std::string name = fieldText(nameEdit_).value_or(std::string{});
        const AddRowCheck check = checkNewRow(rows_, name);
        if (check != AddRowCheck::Accepted) {
            window_.messages().show(MessageKind::Warning, fromCp932(addRowRefusalText(check)));
            return;
        }
        VoiceProfile row{name, rowVoice_->currentIndex(), rowSliders_[0]->value(),
                         rowSliders_[1]->value(), rowSliders_[2]->value()};
        rows_.push_back(row);
        appendRowItem(row);
        nameEdit_->clear();
    } catch (const std::exception&) {
        window_.messages().show(MessageKind::Warning, fromCp932(speech_dialog_texts::kAddFailed));
    }
}

void TForm4::Delete1Click() {
    try {
        if (!deleteButton_->isEnabled() || !list_->isEnabled() || !selectedRow()) {
            return;
        }
        if (window_.messages().confirm(
                questionTitle(), fromCp932(speech_dialog_texts::kDeleteQuestion)) != Answer::Yes) {
            return;
        }
        filling_ = true;  // the list and the rows differ until the loop ends
        for (int i = list_->topLevelItemCount() - 1; i >= 0; --i) {
            if (list_->topLevelItem(i)->isSelected()) {
                delete list_->takeTopLevelItem(i);
                rows_.erase(rows_.begin() + i);
            }
        }
        filling_ = false;
        ListView01SelectItem();
    } catch (const std::exception&) {
        filling_ = false;
        window_.messages().show(MessageKind::Warning,
                                fromCp932(speech_dialog_texts::kDeleteFailed));
    }
}

void TForm4::AddRadioButton01Click() {
    addMode_->setChecked(true);
    list_->clearSelection();
    setListEnabled(false);
    addButton_->setEnabled(true);
    deleteButton_->setEnabled(false);
    rowNumber_->setEnabled(false);
    rowNumber_->clear();
}

void TForm4::EditRadioButton01Click() {
    editMode_->setChecked(true);
    setListEnabled(true);
    addButton_->setEnabled(false);
    deleteButton_->setEnabled(true);
    rowNumber_->setEnabled(true);
}

}  // namespace ruv
