#pragma once
// 64-bit arithmetic that never wraps: checked forms report overflow, the
// saturating sum stops at the ends of the range.

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

// a + b, held at the largest or smallest value instead of overflowing: the one
// rule of every EXP sum (figures, chart, sort listing).
constexpr std::int64_t saturatingAdd(std::int64_t a, std::int64_t b) noexcept {
    if (const std::optional<std::int64_t> sum = checkedAdd(a, b)) {
        return *sum;
    }
    return b > 0 ? std::numeric_limits<std::int64_t>::max()
                 : std::numeric_limits<std::int64_t>::min();
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
