#pragma once
// Where a window opens: a saved place that a screen no longer holds (a second
// monitor unplugged, a larger scaling) would leave the window out of reach.

#include <cstdint>
#include <span>

namespace ruv {

// A rectangle in screen pixels; right and bottom lie just outside it, and are
// reckoned in 64 bits: a saved place may lie anywhere an int reaches.
struct ScreenRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    std::int64_t right() const { return std::int64_t{left} + width; }
    std::int64_t bottom() const { return std::int64_t{top} + height; }
    friend bool operator==(const ScreenRect&, const ScreenRect&) = default;
};

// The outer rectangle a window opens at, given the available area of every
// screen (the primary first). A window whose title bar (its top titleBarHeight
// pixels) lies wholly on one screen, and which is no larger than that screen,
// keeps its rectangle exactly. Any other window is shrunk to the screen it
// overlaps most (else the nearest) and moved the least distance that puts it
// wholly on that screen. No screen: the rectangle is kept.
ScreenRect fitOnScreens(const ScreenRect& window, std::span<const ScreenRect> screens,
                        int titleBarHeight);

}  // namespace ruv
