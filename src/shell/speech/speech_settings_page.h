#pragma once
// The speech dialog's first page, "基本設定": the server, the global voice,
// the character limit and whether speakers' names are read.

#include <QWidget>

#include <array>
#include <functional>
#include <string>

#include "core/speech/speech_dialog_rules.h"
#include "core/speech/voice_params.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSlider;

namespace ruv {

class SpeechSettingsPage : public QWidget {
    Q_OBJECT
  public:
    // refused: called when a field turns down text Shift-JIS cannot hold.
    SpeechSettingsPage(std::function<void()> refused, QWidget* parent);

    void showValues(const SpeechDialogValues& values);
    SpeechDialogValues typedValues() const;
    // The global voice as the sliders and the voice list stand.
    VoiceParams typedVoice() const;
    QString portText() const;
    QString limitText() const;
    void setConnectionTestEnabled(bool enabled);

    // The value labels follow their sliders.
    void onVolumeMoved();
    void onSpeedMoved();
    void onToneMoved();

  signals:
    void connectionTestClicked();  // TestButton01
    void voiceTestClicked();       // VoiceTestButton01
    void resetClicked();           // Button03

  private:
    QLineEdit* addressEdit_ = nullptr;
    QLineEdit* portEdit_ = nullptr;
    QLineEdit* limitEdit_ = nullptr;
    std::array<QSlider*, 3> sliders_{};  // TrackBar01 volume, 02 speed, 03 tone
    std::array<QLabel*, 3> labels_{};
    QComboBox* voice_ = nullptr;         // VoiceComboBox01
    QRadioButton* readNames_ = nullptr;  // RadioButton01 読む
    QRadioButton* skipNames_ = nullptr;  // RadioButton02 読まない
    QPushButton* testButton_ = nullptr;  // TestButton01
};

}  // namespace ruv
