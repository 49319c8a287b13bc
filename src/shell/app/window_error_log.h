#pragma once
// The error-log tab as the core's error log.

#include "core/platform/error_log.h"

namespace ruv {

class TForm1;

class WindowErrorLog final : public platform::ErrorLog {
  public:
    explicit WindowErrorLog(TForm1& window) : window_(window) {}
    void append(std::string_view line) override;

  private:
    TForm1& window_;
};

}  // namespace ruv
