#pragma once
// The taskbar alert flashes once while the window is inactive: the first line
// that asks for attention flashes it, later ones wait until the user has been
// back to the window.

#include "core/lines/route_ports.h"

namespace ruv {

enum class WindowActivity { Active, Inactive };

class AttentionGate final : public Attention {
  public:
    // flash: the alert itself, asked at most once per inactive period.
    AttentionGate(Attention& flash, WindowActivity initial) noexcept
        : flash_(flash), activity_(initial) {}

    void setWindowActivity(WindowActivity activity) noexcept;
    void requestAttention() override;

  private:
    Attention& flash_;
    WindowActivity activity_;
    bool flashed_ = false;
};

}  // namespace ruv
