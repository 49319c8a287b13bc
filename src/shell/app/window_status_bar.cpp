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

}  // namespace ruv
