#include "core/views/unread_counters.h"

#include <limits>
#include <optional>

namespace ruv {

namespace {

std::optional<std::size_t> slotOf(Tab tab) noexcept {
    if (!hasUnreadCounter(tab)) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(pageIndex(tab) - pageIndex(Tab::Open));
}

}  // namespace

std::int32_t UnreadCounters::raise(Tab tab) noexcept {
    const auto slot = slotOf(tab);
    if (!slot) {
        return 0;
    }
    auto& count = counts_[*slot];
    if (count < std::numeric_limits<std::int32_t>::max()) {
        ++count;
    }
    return count;
}

void UnreadCounters::reset(Tab tab) noexcept {
    if (const auto slot = slotOf(tab)) {
        counts_[*slot] = 0;
    }
}

void UnreadCounters::resetAllButNg() noexcept {
    for (std::size_t i = 0; i < kCounters; ++i) {
        if (i != static_cast<std::size_t>(pageIndex(Tab::NG) - pageIndex(Tab::Open))) {
            counts_[i] = 0;
        }
    }
}

std::int32_t UnreadCounters::count(Tab tab) const noexcept {
    const auto slot = slotOf(tab);
    return slot ? counts_[*slot] : 0;
}

}  // namespace ruv
