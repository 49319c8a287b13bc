#include "core/speech/voice_list_editor.h"

#include <algorithm>
#include <cstddef>

#include "core/speech/speech_dialog_rules.h"

namespace ruv {

namespace {

int clamped(int value, PanelRange range) {
    return std::clamp(value, range.minimum, range.maximum);
}

// A row as the panel's controls can show it.
VoiceProfile panelFrom(const VoiceProfile& row) {
    return {row.Name, clamped(row.Voice, kPanelVoiceRange), clamped(row.Volume, kPanelVolumeRange),
            clamped(row.Speed, kPanelSpeedRange), clamped(row.Tone, kPanelToneRange)};
}

AddRowCheck checkNewRow(const std::vector<VoiceProfile>& rows, std::string_view name) {
    if (name.empty()) {
        return AddRowCheck::EmptyName;
    }
    const bool taken = std::any_of(rows.begin(), rows.end(),
                                   [&](const VoiceProfile& row) { return row.Name == name; });
    return taken ? AddRowCheck::DuplicateName : AddRowCheck::Accepted;
}

bool duplicatesAnotherRow(const std::vector<VoiceProfile>& rows, std::string_view name,
                          std::size_t editedRow) {
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (i != editedRow && rows[i].Name == name) {
            return true;
        }
    }
    return false;
}

int& sliderField(VoiceProfile& profile, PanelSlider slider) {
    switch (slider) {
        case PanelSlider::Volume:
            return profile.Volume;
        case PanelSlider::Speed:
            return profile.Speed;
        case PanelSlider::Tone:
            break;
    }
    return profile.Tone;
}

}  // namespace

std::string_view addRowRefusalText(AddRowCheck check) {
    switch (check) {
        case AddRowCheck::EmptyName:
            return speech_dialog_texts::kEmptyName;
        case AddRowCheck::DuplicateName:
            return speech_dialog_texts::kDuplicateName;
        case AddRowCheck::Accepted:
            break;
    }
    return {};
}

void VoiceListEditor::open(std::vector<VoiceProfile> rows) {
    rows_ = std::move(rows);
    close();
}

void VoiceListEditor::close() {
    selection_.clear();
    panel_ = kPanelResetValues;
    rowNumber_.reset();
    mode_ = VoiceEditMode::Add;
    nameBlocked_ = false;
    nameDuplicate_ = false;
}

void VoiceListEditor::chooseAddMode() {
    mode_ = VoiceEditMode::Add;
    if (!selection_.empty()) {
        select({});
    }
    rowNumber_.reset();
}

void VoiceListEditor::chooseEditMode() {
    mode_ = VoiceEditMode::Edit;
}

void VoiceListEditor::select(std::vector<std::size_t> rows) {
    std::erase_if(rows, [this](std::size_t row) { return row >= rows_.size(); });
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    selection_ = std::move(rows);
    if (selection_.empty()) {
        panel_ = kPanelResetValues;
        rowNumber_.reset();
    } else {
        panel_ = panelFrom(rows_[selection_.front()]);
        rowNumber_ = selection_.front();
    }
}

std::optional<std::size_t> VoiceListEditor::editedRow() const {
    if (!rowNumber_ || selection_.empty() || *rowNumber_ != selection_.front()) {
        return std::nullopt;
    }
    return rowNumber_;
}

void VoiceListEditor::typeName(std::string name) {
    panel_.Name = name;
    const std::optional<std::size_t> row = editedRow();
    if (!row) {
        return;
    }
    nameDuplicate_ = duplicatesAnotherRow(rows_, name, *row);
    // A row without a name could never be matched nor read back: held like a duplicate.
    nameBlocked_ = nameDuplicate_ || name.empty();
    rows_[*row].Name = std::move(name);
}

void VoiceListEditor::chooseVoice(int voice) {
    panel_.Voice = voice;
    if (const std::optional<std::size_t> row = editedRow()) {
        rows_[*row].Voice = voice;
    }
}

void VoiceListEditor::moveSlider(PanelSlider slider, int value) {
    sliderField(panel_, slider) = value;
    if (const std::optional<std::size_t> row = editedRow()) {
        sliderField(rows_[*row], slider) = value;
    }
}

std::optional<AddRowCheck> VoiceListEditor::add() {
    if (!addEnabled()) {
        return std::nullopt;
    }
    const AddRowCheck check = checkNewRow(rows_, panel_.Name);
    if (check == AddRowCheck::Accepted) {
        rows_.push_back(panel_);
        typeName({});
    }
    return check;
}

bool VoiceListEditor::deleteSelected(VoiceListQuestions& questions) {
    if (!deleteEnabled() || selection_.empty()) {
        return false;
    }
    if (questions.confirm(speech_dialog_texts::kDeleteQuestion) != Answer::Yes) {
        return false;
    }
    for (auto it = selection_.rbegin(); it != selection_.rend(); ++it) {
        rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(*it));
    }
    select({});
    return true;
}

}  // namespace ruv
