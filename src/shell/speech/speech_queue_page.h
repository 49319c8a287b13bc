#pragma once
// The speech dialog's page "読み上げの順番": how many lines 棒読みちゃん may
// hold, when a waiting line is too old, how many lines one speaker may have
// waiting, and 接続を確認, which says whether 棒読みちゃん answers, whether it
// can be paced and how many lines it holds. Also the global hotkeys of the
// 読み上げ menu's three commands, each said at once when another program
// holds its keys.

#include <QWidget>

#include <array>
#include <functional>

#include "core/speech/speech_queue_settings.h"
#include "shell/platform/hotkey_grab.h"

class QKeySequence;
class QKeySequenceEdit;
class QLabel;
class QPushButton;
class QSpinBox;

namespace ruv {

class SpeechQueuePage : public QWidget {
    Q_OBJECT
  public:
    // What typed hotkeys would give, asked as soon as the player typed them.
    using HotkeyTrial = std::function<HotkeyStatus(const QKeySequence&)>;

    SpeechQueuePage(HotkeyTrial trial, QWidget* parent);

    void showSettings(const SpeechQueueSettings& settings);
    SpeechQueueSettings typedSettings() const;
    // The result of 接続を確認 (empty while none).
    void showCheck(const QString& text);

  signals:
    void checkClicked();

  private:
    void addHotkeyRows(QWidget* box);
    void hotkeyTyped(SpeechHotkeyCommand command);
    void showHotkeyNote(SpeechHotkeyCommand command, const QString& text);
    SpeechHotkeyTexts typedHotkeys() const;
    QKeySequenceEdit* hotkeyEdit(SpeechHotkeyCommand command) const {
        return hotkeyEdits_[static_cast<std::size_t>(command)];
    }

    HotkeyTrial trial_;
    std::array<QKeySequenceEdit*, kSpeechHotkeyCommands.size()> hotkeyEdits_{};
    std::array<QLabel*, kSpeechHotkeyCommands.size()> hotkeyNotes_{};
    QSpinBox* linesThere_ = nullptr;
    QSpinBox* staleSeconds_ = nullptr;
    QSpinBox* perSpeaker_ = nullptr;
    QPushButton* check_ = nullptr;
    QLabel* checkResult_ = nullptr;
};

}  // namespace ruv
