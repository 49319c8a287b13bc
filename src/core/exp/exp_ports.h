#pragma once
// What the EXP monitor needs from its surroundings: the wall clock for error
// lines, the tick timer, the error log, yes/no questions and the status bar.
// The shell implements these; tests use fakes.

#include <chrono>
#include <string>
#include <string_view>

#include "core/platform/clock.h"
#include "core/platform/error_log.h"
#include "core/vocabulary/message_kind.h"

namespace ruv {

// The periodic tick timer (Timer01). Ticks come back as ExpStats::tick().
class TickTimer {
  public:
    virtual ~TickTimer() = default;
    virtual void start() = 0;
    virtual void stop() = 0;
    // Called only when the period actually changes; a running timer keeps running.
    virtual void setPeriod(std::chrono::milliseconds period) = 0;
};

class YesNoQuestion {
  public:
    virtual ~YesNoQuestion() = default;
    // title and text are CP932; the text may hold CR LF line breaks.
    virtual Answer ask(std::string_view title, std::string_view text) = 0;
};

class StatusBarPanels {
  public:
    virtual ~StatusBarPanels() = default;
    // Sets both panels (CP932); the shell may skip a panel that already shows the text.
    virtual void showPanels(std::string_view panel0, std::string_view panel1) = 0;
};

// Everything ExpStats talks to, passed by reference at construction.
struct ExpPorts {
    const platform::Clock& clock;  // the wall clock of error lines
    TickTimer& timer;
    platform::ErrorLog& errors;
    YesNoQuestion& questions;
    StatusBarPanels& statusBar;
};

}  // namespace ruv
