#include "core/exp/chart_texts.h"

#include <cstdio>

#include "core/text/fixed_text.h"

namespace ruv {

namespace {

inline const FixedText kHourSuffix{"時台: "};
inline const FixedText kLevelUp{" レベルアップ"};
inline const FixedText kReached{" → Lv "};

}  // namespace

std::string groupedFigure(std::int64_t value) {
    // Digits of the magnitude, in unsigned so the smallest value has one too.
    std::uint64_t magnitude =
        value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    std::string reversed;
    int inGroup = 0;
    do {
        if (inGroup == 3) {
            reversed += ',';
            inGroup = 0;
        }
        reversed += static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
        ++inGroup;
    } while (magnitude != 0);
    if (value < 0) {
        reversed += '-';
    }
    return {reversed.rbegin(), reversed.rend()};
}

std::string hourTip(int hour, std::int64_t exp) {
    return std::to_string(hour) + std::string(kHourSuffix) + groupedFigure(exp) + " EXP";
}

std::string levelUpTip(TimeOfDay time, std::optional<int> level) {
    char clock[8];
    std::snprintf(clock, sizeof clock, "%d:%02d", time.hour % 100, time.minute % 100);
    std::string tip = clock + std::string(kLevelUp);
    if (level) {
        tip += std::string(kReached) + std::to_string(*level);
    }
    return tip;
}

}  // namespace ruv
