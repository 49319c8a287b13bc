#include "shell/app/window_status_bar.h"

#include "shell/platform/qt_text.h"

namespace ruv {

void WindowStatusBar::show(StatusPanel panel, std::string_view cp932) {
    QLabel* label = panels_[static_cast<std::size_t>(panel)];
    const QString text = fromCp932(cp932);
    if (label->text() != text) {
        label->setText(text);
    }
}

void WindowLogActivity::showActivity(const LogActivityView& view) {
    panel_.setText(fromCp932(view.text));
    QPalette palette =
        panel_.parentWidget() != nullptr ? panel_.parentWidget()->palette() : panel_.palette();
    if (view.liveness == LogLiveness::Stopped) {
        palette.setColor(QPalette::WindowText, QColor(255, 0, 0));
    }
    panel_.setPalette(palette);
    panel_.setVisible(view.liveness != LogLiveness::NotFollowing);
}

}  // namespace ruv
