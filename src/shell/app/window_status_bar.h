#pragma once
// The main window's two status bar panels as the status line's output.

#include <QLabel>

#include <array>

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

}  // namespace ruv
