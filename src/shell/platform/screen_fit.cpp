#include "shell/platform/screen_fit.h"

#include <QApplication>
#include <QScreen>
#include <QStyle>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <vector>

namespace ruv {
namespace {

ScreenRect toScreenRect(const QRect& rect) {
    return {rect.x(), rect.y(), rect.width(), rect.height()};
}

// The frame's top before the window manager has framed the window: the style's
// guess at a title bar.
int titleBarHeight(const QWidget* window) {
    const int guess = QApplication::style()->pixelMetric(QStyle::PM_TitleBarHeight);
    const QWindow* handle = window != nullptr ? window->windowHandle() : nullptr;
    return std::max(guess, handle != nullptr ? handle->frameMargins().top() : 0);
}

QRect fitted(const ScreenRect& outer, const QWidget* window) {
    std::vector<ScreenRect> screens;
    if (const QScreen* primary = QGuiApplication::primaryScreen()) {
        screens.push_back(toScreenRect(primary->availableGeometry()));
    }
    for (const QScreen* screen : QGuiApplication::screens()) {
        if (screen != QGuiApplication::primaryScreen()) {
            screens.push_back(toScreenRect(screen->availableGeometry()));
        }
    }
    const ScreenRect place = fitOnScreens(outer, screens, titleBarHeight(window));
    return {place.left, place.top, place.width, place.height};
}

}  // namespace

QRect fitOnAvailableScreens(const ScreenRect& outer) {
    return fitted(outer, nullptr);
}

void keepOnScreen(QWidget& window) {
    const QRect outer = window.frameGeometry();
    const QRect place = fitted(toScreenRect(outer), &window);
    if (place == outer) {
        return;
    }
    window.resize(window.size() - (outer.size() - place.size()));
    window.move(place.topLeft());
}

}  // namespace ruv
