#pragma once
// The main window's two status bar panels as the status line's output, and
// the panel beside them that says whether the log is alive.

#include <QLabel>

#include <array>

#include "core/app/log_activity.h"
#include "core/app/status_bar_share.h"

namespace ruv {

class WindowStatusBar final : public StatusBarOut {
  public:
    explicit WindowStatusBar(std::array<QLabel*, 2> panels) : panels_(panels) {}
    // Writes only a panel whose text changes.
    void show(StatusPanel panel, std::string_view cp932) override;

  private:
    std::array<QLabel*, 2> panels_;
};

// The panel beside those two that says whether the log is alive: red once it stopped.
class WindowLogActivity final : public LogActivityDisplay {
  public:
    explicit WindowLogActivity(QLabel& panel) : panel_(panel) {}
    void showActivity(const LogActivityView& view) override;

  private:
    QLabel& panel_;
};

}  // namespace ruv
