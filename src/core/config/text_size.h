#pragma once
// The text size of the channel views and the error log, in points, stepped by
// the user between a smallest and a largest size.

#include <algorithm>

namespace ruv {

class TextSize {
  public:
    static constexpr int kSmallest = 6;
    static constexpr int kLargest = 32;
    // The views' own font, 12 pixels high at 96 dots per inch.
    static constexpr int kDefault = 9;

    constexpr TextSize() noexcept = default;
    // Sizes outside the range are brought to its nearer end.
    constexpr explicit TextSize(int points) noexcept
        : points_(std::clamp(points, kSmallest, kLargest)) {}

    constexpr int points() const noexcept { return points_; }
    // Pixels at Windows' logical 96 dots per inch (a point is 1/72 inch),
    // rounded: the default gives the views' 12 pixels.
    constexpr int pixels() const noexcept { return (points_ * 96 + 36) / 72; }

    constexpr TextSize larger() const noexcept { return TextSize(points_ + 1); }
    constexpr TextSize smaller() const noexcept { return TextSize(points_ - 1); }
    constexpr bool isDefault() const noexcept { return points_ == kDefault; }

    friend constexpr bool operator==(TextSize, TextSize) = default;

  private:
    int points_ = kDefault;
};

// What the user asked for: Ctrl++ / Ctrl+wheel up, Ctrl+- / Ctrl+wheel down, Ctrl+0.
enum class TextSizeStep { Larger, Smaller, Reset };

constexpr TextSize stepped(TextSize size, TextSizeStep step) noexcept {
    switch (step) {
        case TextSizeStep::Larger:
            return size.larger();
        case TextSizeStep::Smaller:
            return size.smaller();
        case TextSizeStep::Reset:
            break;
    }
    return TextSize();
}

}  // namespace ruv
