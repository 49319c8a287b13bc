#pragma once
// The two built-in level tables: the EXP at which the next level is reached
// (NextEXP) and the EXP cap of the level (LimitEXP), for levels 0 to 255.

#include <cstdint>

namespace ruv {

inline constexpr int kLevelCount = 256;
inline constexpr int kMaxLevel = kLevelCount - 1;

// level must be 0 to 255.
std::int32_t nextExpOfLevel(int level) noexcept;
std::int32_t limitExpOfLevel(int level) noexcept;

}  // namespace ruv
