#pragma once
// The window's transparency, chosen from the オプション menu.

#include <cstdint>

namespace ruv {

// The entries of "透過設定", in menu order.
enum class Transparency { Default, Percent10, Percent20, Percent30, Percent40, Percent50 };

struct WindowAlpha {
    bool blending = false;
    std::uint8_t alpha = 255;  // 255 is opaque
    friend constexpr bool operator==(WindowAlpha, WindowAlpha) = default;
};

WindowAlpha alphaFor(Transparency transparency) noexcept;

}  // namespace ruv
