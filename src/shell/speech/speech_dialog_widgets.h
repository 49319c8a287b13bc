#pragma once
// The controls both pages of the speech dialog build alike.

#include <QString>

#include <array>
#include <functional>

#include "core/speech/voice_list_editor.h"

class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class QWidget;

namespace ruv::speech_dialog_widgets {

// The title of the dialog's questions.
inline QString questionTitle() {
    return QStringLiteral("確認");
}

QPushButton* addButton(QWidget* parent, const char* name, const QString& caption);
// A slider at 100 with the label that shows its value beside it.
QSlider* addSlider(QWidget* parent, const char* name, const char* labelName, PanelRange range,
                   QLabel*& valueLabel);
// The volume, speed and tone rows: sliders TrackBar<first>, <first + 1> and
// <first + 2>, each with its TrackBarLabel showing the value.
void addVoiceSliderRows(QWidget* parent, QFormLayout* form, int firstNumber,
                        std::array<QSlider*, 3>& sliders, std::array<QLabel*, 3>& labels);
// A field that refuses text Shift-JIS cannot hold, calling refused.
QLineEdit* guardedEdit(QWidget* parent, const char* name, std::function<void()> refused);

enum class VoiceEntries { Plain, Numbered };
void addVoiceEntries(QComboBox* box, VoiceEntries entries);

}  // namespace ruv::speech_dialog_widgets
