#include "shell/app/window_error_log.h"

#include <QPlainTextEdit>

#include "shell/platform/qt_text.h"

namespace ruv {

void WindowErrorLog::append(std::string_view line) {
    // A line may hold CR LF (the start-up failure names its stage below it).
    memo_.appendPlainText(fromCp932Lines(line));
}

}  // namespace ruv
