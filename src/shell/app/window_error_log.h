#pragma once
// The error-log tab as the core's error log.

#include "core/platform/error_log.h"

class QPlainTextEdit;

namespace ruv {

class WindowErrorLog final : public platform::ErrorLog {
  public:
    explicit WindowErrorLog(QPlainTextEdit& memo) : memo_(memo) {}
    void append(std::string_view line) override;

  private:
    QPlainTextEdit& memo_;
};

}  // namespace ruv
