#include "shell/app/window_error_log.h"

#include "core/text/cp932.h"
#include "shell/app/ruvivuvaz.h"

namespace ruv {

void WindowErrorLog::append(std::string_view line) {
    window_.appendErrorLine(QString::fromStdU16String(cp932::toUtf16(line)));
}

}  // namespace ruv
