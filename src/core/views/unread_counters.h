#pragma once
// The unread counters of the tabs 一般 to NGフィルター: lines that arrived while
// the tab was not looked at. Routing names them by channel, the window by tab.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/log/chat_format.h"
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

    // The same, by the channel whose tab counts.
    static bool HasCounter(ChatChannel tab) noexcept { return hasUnreadCounter(tabOf(tab)); }
    static std::string_view PlainCaption(ChatChannel tab) noexcept {
        return plainCaption(tabOf(tab));
    }
    static std::string CountedCaption(ChatChannel tab, std::int32_t count) {
        return countedCaption(tabOf(tab), count);
    }
    std::int32_t Raise(ChatChannel tab) noexcept { return raise(tabOf(tab)); }
    std::int32_t Count(ChatChannel tab) const noexcept { return count(tabOf(tab)); }
    void Reset(ChatChannel tab) noexcept { reset(tabOf(tab)); }
    void ResetForAttach() noexcept { resetAllButNg(); }

  private:
    static constexpr std::size_t kCounters = 7;
    std::array<std::int32_t, kCounters> counts_{};
};

}  // namespace ruv
