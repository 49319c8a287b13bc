#pragma once
// The EXP monitor's ports over the window: Timer01, the session's clock and
// error log and the message boxes.

#include <QString>

#include <string_view>

#include "core/exp/exp_ports.h"
#include "shell/platform/qt_text.h"

class QTimer;

namespace ruv {

class UserMessages;

class QtTickTimer final : public TickTimer {
  public:
    explicit QtTickTimer(QTimer& timer) : timer_(timer) {}
    void start() override;
    void stop() override;
    void setPeriod(std::chrono::milliseconds period) override;

  private:
    QTimer& timer_;
};

class MessageBoxQuestions final : public YesNoQuestion {
  public:
    explicit MessageBoxQuestions(UserMessages& messages) : messages_(messages) {}
    Answer ask(std::string_view title, std::string_view text) override;

  private:
    UserMessages& messages_;
};

}  // namespace ruv
