#pragma once
// The program's icon, drawn rather than loaded, so the window, the desktop
// entry and every platform show the same picture without an image plugin.

#include <QIcon>
#include <QImage>

namespace ruv {

QImage appIconImage(int size);
QIcon appIcon();

}  // namespace ruv
