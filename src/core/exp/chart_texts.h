#pragma once
// How the グラフ page writes its figures: EXP with thousands separators
// (3,496,956) on the axis, in the hour's tip and in the total and best hour,
// and a level-up mark's tip with its time and the level reached.

#include <cstdint>
#include <optional>
#include <string>

#include "core/exp/hourly_exp.h"

namespace ruv {

// ASCII digits in groups of three, e.g. "-1,234".
std::string groupedFigure(std::int64_t value);
// CP932, e.g. "18時台: 3,496,956 EXP".
std::string hourTip(int hour, std::int64_t exp);
// CP932, e.g. "14:05 レベルアップ → Lv 31"; without the level when none is known
// (a level-up met while tidying, or no level given on the 拡張情報 page).
std::string levelUpTip(TimeOfDay time, std::optional<int> level);

}  // namespace ruv
