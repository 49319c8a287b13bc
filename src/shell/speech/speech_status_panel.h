#pragma once
// The status bar's speech panel: shown only while "毒電波送信" is ticked, it
// says how many lines wait, whether speech is paused, since when 棒読みちゃん
// has not answered (the reason in its tooltip) and how many lines were dropped
// since the last attach (stale and flood apart in the tooltip). It looks at
// the queue four times a second.

#include <QLabel>

#include <functional>
#include <memory>
#include <string>

#include "core/platform/timer.h"
#include "core/speech/speech_status_text.h"

namespace ruv {

class SpeechSide;

class SpeechStatusPanel final {
  public:
    struct Sources {
        // Whether "毒電波送信" is ticked.
        std::function<bool()> sending;
        // The attached log; dropped lines count from zero when it changes.
        std::function<std::string()> attachedLog;
    };

    SpeechStatusPanel(QLabel& label, SpeechSide& speech, platform::Timers& timers, Sources sources);

    // Looks at the queue now; the timer does it every 250 ms.
    void refresh();

  private:
    QLabel& label_;
    SpeechSide& speech_;
    Sources sources_;
    std::unique_ptr<platform::Timer> timer_;
    std::string attached_;
    SpeechStatusText shown_;
};

}  // namespace ruv
