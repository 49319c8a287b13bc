#include "core/exp/exp_ports.h"

#include <cstdio>

namespace ruv {

std::string dateTimeText(const LocalDateTime& when) {
    char buffer[64];
    const int n = std::snprintf(buffer, sizeof buffer, "%04d/%02d/%02d %d:%02d:%02d", when.year,
                                when.month, when.day, when.hour, when.minute, when.second);
    return std::string(buffer, n > 0 ? static_cast<std::size_t>(n) : 0);
}

}  // namespace ruv
