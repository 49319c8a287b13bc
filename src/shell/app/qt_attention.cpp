#include "shell/app/qt_attention.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

namespace ruv {

namespace {

WindowActivity activityOf(const QWidget& window) {
    return window.isActiveWindow() ? WindowActivity::Active : WindowActivity::Inactive;
}

}  // namespace

QtAttention::QtAttention(QWidget& window)
    : window_(window), flash_(window), gate_(flash_, activityOf(window)) {
    window.installEventFilter(this);
}

bool QtAttention::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &window_ && event->type() == QEvent::ActivationChange) {
        gate_.setWindowActivity(activityOf(window_));
    }
    return QObject::eventFilter(watched, event);
}

void QtAttention::TaskbarFlash::requestAttention() {
    // 0: flash until the window is activated.
    QApplication::alert(&window_, 0);
}

}  // namespace ruv
