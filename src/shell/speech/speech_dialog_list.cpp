// SpeechDialog's per-character list: each handler turns its control into a command
// on the VoiceListEditor and shows the list as it then stands.

#include <QPushButton>

#include <exception>

#include "core/speech/speech_dialog_rules.h"
#include "shell/platform/qt_text.h"
#include "shell/platform/user_messages.h"
#include "shell/speech/speech_dialog.h"
#include "shell/speech/speech_dialog_widgets.h"
#include "shell/speech/voice_list_page.h"

namespace ruv {

namespace {

// The delete question, with OK and キャンセル.
class DialogListQuestions final : public VoiceListQuestions {
  public:
    explicit DialogListQuestions(UserMessages& messages) : messages_(messages) {}
    Answer confirm(std::string_view text) override {
        return messages_.confirm(speech_dialog_widgets::questionTitle(), fromCp932(text));
    }

  private:
    UserMessages& messages_;
};

}  // namespace

void SpeechDialog::showList() {
    voicePage_->showEditor(editor_);
    okButton_->setEnabled(editor_.okEnabled());
}

template <typename Command>
void SpeechDialog::editList(std::string_view failureText, Command command) {
    try {
        command();
    } catch (const std::exception&) {
        showList();
        warn(failureText);
        return;
    }
    showList();
}

void SpeechDialog::onCharacterSelected() {
    editor_.select(voicePage_->selectedRows());
    showList();
}

void SpeechDialog::onCharacterNameEdited() {
    editList(speech_dialog_texts::kEditFailed, [&] { editor_.typeName(voicePage_->typedName()); });
}

void SpeechDialog::onCharacterVoiceChosen() {
    editList(speech_dialog_texts::kEditFailed,
             [&] { editor_.chooseVoice(voicePage_->chosenVoice()); });
}

void SpeechDialog::onCharacterVolumeMoved() {
    editList(speech_dialog_texts::kEditFailed, [&] {
        editor_.moveSlider(PanelSlider::Volume, voicePage_->sliderValue(PanelSlider::Volume));
    });
}
void SpeechDialog::onCharacterSpeedMoved() {
    editList(speech_dialog_texts::kEditFailed, [&] {
        editor_.moveSlider(PanelSlider::Speed, voicePage_->sliderValue(PanelSlider::Speed));
    });
}
void SpeechDialog::onCharacterToneMoved() {
    editList(speech_dialog_texts::kEditFailed, [&] {
        editor_.moveSlider(PanelSlider::Tone, voicePage_->sliderValue(PanelSlider::Tone));
    });
}

void SpeechDialog::addOrEditCharacterClicked() {
    editList(speech_dialog_texts::kAddFailed, [&] {
        const std::optional<AddRowCheck> check = editor_.add();
        if (check && *check != AddRowCheck::Accepted) {
            warn(addRowRefusalText(*check));
        }
    });
}

void SpeechDialog::deleteCharacterClicked() {
    DialogListQuestions questions(ports_.messages);
    editList(speech_dialog_texts::kDeleteFailed, [&] { editor_.deleteSelected(questions); });
}

void SpeechDialog::addModeClicked() {
    editor_.chooseAddMode();
    showList();
}

void SpeechDialog::editModeClicked() {
    editor_.chooseEditMode();
    showList();
}

}  // namespace ruv
