#pragma once
// What the two source files of TForm4 share: the columns of the
// per-character list and the title of the dialog's questions.

#include <QString>

namespace ruv::speech_dialog_parts {

enum Column { kNameColumn = 0, kVoiceColumn, kVolumeColumn, kSpeedColumn, kToneColumn };
// TrackBar11 to TrackBar13: volume, speed and tone.
inline constexpr int kPanelSliderColumns[3] = {kVolumeColumn, kSpeedColumn, kToneColumn};

inline QString questionTitle() {
    return QStringLiteral("確認");
}

}  // namespace ruv::speech_dialog_parts
