#pragma once
// Windows open within reach: the fitting rule of core/app/window_fit.h over
// the available areas of the screens Qt knows.

#include <QRect>

#include "core/app/window_fit.h"

class QWidget;

namespace ruv {

// The outer rectangle a window with this outer rectangle opens at: its frame,
// title bar to bottom edge, wholly within one screen's available area.
QRect fitOnAvailableScreens(const ScreenRect& outer);

// Moves and shrinks a window that does not fit, before it is shown; a window
// that fits is left alone, to be placed as the system places it.
void keepOnScreen(QWidget& window);

}  // namespace ruv
