#include "shell/app/top_most.h"

#include <QWidget>
#include <QWindow>

namespace ruv {

void setTopMost(QWidget& window, TopMost state) {
    Qt::WindowFlags flags = window.windowFlags();
    flags.setFlag(Qt::WindowStaysOnTopHint, state == TopMost::On);
    if (QWindow* handle = window.windowHandle()) {
        // QWidget::setWindowFlags would recreate and hide the native window;
        // the platform window changes its band in place instead.
        window.overrideWindowFlags(flags);
        handle->setFlags(flags);
    } else {
        window.setWindowFlags(flags);
    }
}

}  // namespace ruv
