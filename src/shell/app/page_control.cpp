#include "shell/app/page_control.h"

namespace ruv {

TabStrip::TabStrip(QWidget* parent) : QTabBar(parent) {}

void TabStrip::mousePressEvent(QMouseEvent* event) {
    QTabBar::mousePressEvent(event);
    emit pressed();
}

PageControl::PageControl(QWidget* parent) : QTabWidget(parent), strip_(new TabStrip(this)) {
    setTabBar(strip_);
}

}  // namespace ruv
