#pragma once
// The speech dialog's page "読み上げの順番": how many lines 棒読みちゃん may
// hold, when a waiting line is too old, how many lines one speaker may have
// waiting, and 接続を確認, which says whether 棒読みちゃん answers, whether it
// can be paced and how many lines it holds.

#include <QWidget>

#include "core/speech/speech_queue_settings.h"

class QLabel;
class QPushButton;
class QSpinBox;

namespace ruv {

class SpeechQueuePage : public QWidget {
    Q_OBJECT
  public:
    explicit SpeechQueuePage(QWidget* parent);

    void showSettings(const SpeechQueueSettings& settings);
    SpeechQueueSettings typedSettings() const;
    // The result of 接続を確認 (empty while none).
    void showCheck(const QString& text);

  signals:
    void checkClicked();

  private:
    QSpinBox* linesThere_ = nullptr;
    QSpinBox* staleSeconds_ = nullptr;
    QSpinBox* perSpeaker_ = nullptr;
    QPushButton* check_ = nullptr;
    QLabel* checkResult_ = nullptr;
};

}  // namespace ruv
