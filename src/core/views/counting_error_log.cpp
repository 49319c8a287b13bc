#include "core/views/counting_error_log.h"

namespace ruv {

void CountingErrorLog::append(std::string_view line) {
    tab_.append(line);
    // Only エラーログ among the shown tabs has no channel.
    if (counters_ != nullptr && tabs_.ActiveTab().has_value()) {
        counters_->raise(Tab::ErrorLog);
    }
}

}  // namespace ruv
