#include "shell/app/window_error_log.h"

#include "core/text/cp932.h"
#include "shell/app/ruvivuvaz.h"

namespace ruv {

void WindowErrorLog::append(std::string_view line) {
    // A line may hold CR LF (the start-up failure names its stage below it).
    QString text = QString::fromStdU16String(cp932::toUtf16(line));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    window_.appendErrorLine(text);
}

}  // namespace ruv
