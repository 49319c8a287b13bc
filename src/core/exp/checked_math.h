#pragma once
// 64-bit arithmetic that reports overflow instead of wrapping.

#include <cstdint>
#include <limits>
#include <optional>

namespace ruv {

constexpr std::optional<std::int64_t> checkedAdd(std::int64_t a, std::int64_t b) noexcept {
    constexpr auto kMax = std::numeric_limits<std::int64_t>::max();
    constexpr auto kMin = std::numeric_limits<std::int64_t>::min();
    if ((b > 0 && a > kMax - b) || (b < 0 && a < kMin - b)) {
        return std::nullopt;
    }
    return a + b;
}

// a × factor for a positive factor.
constexpr std::optional<std::int64_t> checkedScale(std::int64_t a, std::int64_t factor) noexcept {
    constexpr auto kMax = std::numeric_limits<std::int64_t>::max();
    constexpr auto kMin = std::numeric_limits<std::int64_t>::min();
    if (a > kMax / factor || a < kMin / factor) {
        return std::nullopt;
    }
    return a * factor;
}

}  // namespace ruv
