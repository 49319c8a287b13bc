#pragma once
// The unread counters of the tabs 一般 to NGフィルター: lines that arrived while
// the tab was not looked at.

#include <array>
#include <cstdint>

#include "core/views/tab_rules.h"

namespace ruv {

class UnreadCounters {
  public:
    // Raises the tab's counter and returns the new count; a tab without a
    // counter stays at 0. The count stops at the largest 32-bit value.
    std::int32_t raise(Tab tab) noexcept;
    void reset(Tab tab) noexcept;
    // Attaching a log: every counter but the NGフィルター one back to 0.
    void resetAllButNg() noexcept;
    std::int32_t count(Tab tab) const noexcept;

  private:
    static constexpr std::size_t kCounters = 7;
    std::array<std::int32_t, kCounters> counts_{};
};

}  // namespace ruv
