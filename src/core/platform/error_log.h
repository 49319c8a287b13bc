#pragma once
// The error log (tab エラーログ): one line per failure a handler caught.

#include <string>
#include <string_view>

#include "core/platform/clock.h"

namespace ruv::platform {

class ErrorLog {
  public:
    virtual ~ErrorLog() = default;
    // Appends one line of CP932 text.
    virtual void append(std::string_view line) = 0;
};

// The fixed text naming the handler, a blank, then "yyyy/MM/dd H:mm:ss".
std::string errorLogLine(std::string_view handlerText, const LocalDateTime& when);

// Appends errorLogLine(handlerText, clock.now()) to log.
void reportFailure(ErrorLog& log, const Clock& clock, std::string_view handlerText);

// For writers whose lines name no time: each line goes on with a blank and
// the date and time, as a handler's line does.
class DatedErrorLog final : public ErrorLog {
  public:
    DatedErrorLog(ErrorLog& log, const Clock& clock) noexcept : log_(log), clock_(clock) {}
    void append(std::string_view line) override { reportFailure(log_, clock_, line); }

  private:
    ErrorLog& log_;
    const Clock& clock_;
};

}  // namespace ruv::platform
