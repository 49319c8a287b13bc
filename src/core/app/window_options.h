#pragma once
// Window options chosen from the オプション menu: transparency and the EXP
// update interval entries.

#include <cstdint>
#include <optional>

namespace ruv {

// The entries of "透過設定", in menu order.
enum class Transparency { Default, Percent10, Percent20, Percent30, Percent40, Percent50 };

struct WindowAlpha {
    bool blending = false;
    std::uint8_t alpha = 255;  // 255 is opaque
    friend constexpr bool operator==(WindowAlpha, WindowAlpha) = default;
};

WindowAlpha alphaFor(Transparency transparency) noexcept;

// The entries of "時給更新時間の設定", in menu order.
enum class UpdateIntervalEntry { Seconds1, Seconds5, Seconds10, Seconds30, Seconds60, Stop };

// The interval an entry chooses, in seconds; empty for "停止".
std::optional<int> intervalSeconds(UpdateIntervalEntry entry) noexcept;

}  // namespace ruv
