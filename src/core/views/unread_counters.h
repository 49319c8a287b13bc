#pragma once
// The unread counters of the tabs 一般 to NGフィルター and エラーログ: lines that
// arrived while the tab was not looked at, each shown in its tab's caption.

#include <array>
#include <cstdint>

#include "core/views/tab_captions.h"
#include "core/views/tab_rules.h"

namespace ruv {

class UnreadCounters {
  public:
    explicit UnreadCounters(TabCaptions& captions) noexcept : captions_(captions) {}

    // Raises the tab's counter, shows it as "チーム(3)" and returns the new
    // count; a tab without a counter stays at 0 and keeps its caption. The
    // count stops at the largest 32-bit value.
    std::int32_t raise(Tab tab);
    // The counter back to 0 and the plain caption.
    void reset(Tab tab);
    // Attaching a log: every counter but the NGフィルター one back to 0.
    void resetAllButNg();
    std::int32_t count(Tab tab) const noexcept;

  private:
    TabCaptions& captions_;
    // By channel, then エラーログ; only the tabs that count are ever raised.
    std::array<std::int32_t, kChannelCount + 1> counts_{};
};

}  // namespace ruv
