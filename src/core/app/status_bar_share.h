#pragma once
// The status bar's two panels have two writers: attaching (its state, a
// running tidy's percentage, the log's path) and the EXP clock. While a tidy
// runs its percentage holds panel 0, and the clock's text written meanwhile
// comes back the moment the tidy ends; otherwise the last writer wins.

#include <optional>
#include <string>
#include <string_view>

#include "core/exp/exp_ports.h"
#include "core/log/log_session_ports.h"

namespace ruv {

class StatusBarOut {
  public:
    virtual ~StatusBarOut() = default;
    virtual void show(StatusPanel panel, std::string_view cp932) = 0;
};

class StatusBarShare final : public StatusBarPanels {
  public:
    explicit StatusBarShare(StatusBarOut& out) : out_(out) {}

    // From attaching.
    void showAttachStatus(StatusPanel panel, std::string_view cp932);
    void showTidyProgress(std::string_view cp932);
    void endTidy(std::string_view attachState);
    // From the EXP monitor.
    void showPanels(std::string_view panel0, std::string_view panel1) override;

  private:
    StatusBarOut& out_;
    bool tidying_ = false;
    std::optional<std::string> heldClock_;
};

}  // namespace ruv
