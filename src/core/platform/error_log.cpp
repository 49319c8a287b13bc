#include "core/platform/error_log.h"

namespace ruv::platform {

std::string errorLogLine(std::string_view handlerText, const LocalDateTime& when) {
    std::string line(handlerText);
    line.push_back(' ');
    line.append(formatDateTime(when));
    return line;
}

void reportFailure(ErrorLog& log, const Clock& clock, std::string_view handlerText) {
    log.append(errorLogLine(handlerText, clock.now()));
}

}  // namespace ruv::platform
