#include "core/app/window_fit.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace ruv {
namespace {

bool holds(const ScreenRect& screen, const ScreenRect& part) {
    return part.left >= screen.left && part.top >= screen.top && part.right() <= screen.right() &&
           part.bottom() <= screen.bottom();
}

std::int64_t overlap(const ScreenRect& a, const ScreenRect& b) {
    const std::int64_t width =
        std::min(a.right(), b.right()) - std::max<std::int64_t>(a.left, b.left);
    const std::int64_t height =
        std::min(a.bottom(), b.bottom()) - std::max<std::int64_t>(a.top, b.top);
    return width > 0 && height > 0 ? width * height : 0;
}

// Squared distance from the title bar's middle to the screen; a double, since
// the square of a distance across the whole range of int exceeds 64 bits.
double distance(const ScreenRect& screen, const ScreenRect& titleBar) {
    const std::int64_t x = std::int64_t{titleBar.left} + titleBar.width / 2;
    const std::int64_t y = std::int64_t{titleBar.top} + titleBar.height / 2;
    const std::int64_t dx = std::max<std::int64_t>({screen.left - x, 0, x - screen.right()});
    const std::int64_t dy = std::max<std::int64_t>({screen.top - y, 0, y - screen.bottom()});
    return static_cast<double>(dx) * static_cast<double>(dx) +
           static_cast<double>(dy) * static_cast<double>(dy);
}

const ScreenRect& screenFor(const ScreenRect& window, const ScreenRect& titleBar,
                            std::span<const ScreenRect> screens) {
    const ScreenRect* best = &screens.front();
    std::int64_t bestOverlap = 0;
    double bestDistance = std::numeric_limits<double>::infinity();
    for (const ScreenRect& screen : screens) {
        const std::int64_t shared = overlap(window, screen);
        const double away = distance(screen, titleBar);
        if (shared > bestOverlap || (bestOverlap == 0 && shared == 0 && away < bestDistance)) {
            best = &screen;
            bestOverlap = shared;
            bestDistance = away;
        }
    }
    return *best;
}

}  // namespace

ScreenRect fitOnScreens(const ScreenRect& window, std::span<const ScreenRect> screens,
                        int titleBarHeight) {
    const ScreenRect titleBar{window.left, window.top, window.width,
                              std::min(std::max(titleBarHeight, 1), window.height)};
    const bool fits = std::any_of(screens.begin(), screens.end(), [&](const ScreenRect& screen) {
        return holds(screen, titleBar) && window.width <= screen.width &&
               window.height <= screen.height;
    });
    if (fits || screens.empty()) {
        return window;
    }
    const ScreenRect& screen = screenFor(window, titleBar, screens);
    ScreenRect fitted = window;
    fitted.width = std::min(window.width, screen.width);
    fitted.height = std::min(window.height, screen.height);
    // Within the screen, so back in the range of int.
    fitted.left = static_cast<int>(
        std::clamp<std::int64_t>(window.left, screen.left, screen.right() - fitted.width));
    fitted.top = static_cast<int>(
        std::clamp<std::int64_t>(window.top, screen.top, screen.bottom() - fitted.height));
    return fitted;
}

}  // namespace ruv
