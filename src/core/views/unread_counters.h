#pragma once
// The unread counters of the tabs 一般, チーム, クラブ, 耳打ち, 叫び, オリジナル
// and NGフィルター, and the captions that show them.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/log/chat_format.h"

namespace ruv {

class UnreadCounters {
  public:
    // True for Open, Team, Club, Whis, Shout, Original and NG.
    static bool HasCounter(ChatChannel tab) noexcept;
    // The tab's caption without a count, in CP932 ("一般", "NGフィルター", ...).
    static std::string_view PlainCaption(ChatChannel tab) noexcept;
    // The plain caption, "(", the count and ")".
    static std::string CountedCaption(ChatChannel tab, std::int32_t count);

    // Raises the tab's counter and returns the new count. Tabs without a
    // counter stay at 0.
    std::int32_t Raise(ChatChannel tab) noexcept;
    std::int32_t Count(ChatChannel tab) const noexcept;
    // The user looked at the tab.
    void Reset(ChatChannel tab) noexcept;
    // A log was attached: every counter but NGフィルター's goes back to 0.
    void ResetForAttach() noexcept;

  private:
    static constexpr std::size_t kTabs = static_cast<std::size_t>(ChatChannel::ExpMonitor) + 1;
    std::array<std::int32_t, kTabs> counts_{};
};

}  // namespace ruv
