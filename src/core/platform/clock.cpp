#include "core/platform/clock.h"

#include <array>
#include <cstdio>
#include <ctime>

namespace ruv::platform {

LocalDateTime SystemClock::now() const {
    const std::time_t seconds = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &seconds);
#else
    localtime_r(&seconds, &local);
#endif
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
            local.tm_hour,        local.tm_min,     local.tm_sec};
}

std::string formatDateTime(const LocalDateTime& time) {
    std::array<char, 64> buffer{};
    const int n =
        std::snprintf(buffer.data(), buffer.size(), "%04d/%02d/%02d %d:%02d:%02d", time.year,
                      time.month, time.day, time.hour, time.minute, time.second);
    return std::string(buffer.data(), static_cast<std::size_t>(n > 0 ? n : 0));
}

}  // namespace ruv::platform
