#include "core/views/unread_counters.h"

#include <limits>
#include <optional>

#include "core/vocabulary/channel_table.h"

namespace ruv {

namespace {

std::optional<std::size_t> slotOf(Tab tab) noexcept {
    if (!hasUnreadCounter(tab)) {
        return std::nullopt;
    }
    if (tab == Tab::ErrorLog) {
        return kChannelCount;  // the slot after the channels'
    }
    return static_cast<std::size_t>(*channelOf(tab));
}

}  // namespace

std::int32_t UnreadCounters::raise(Tab tab) {
    const auto slot = slotOf(tab);
    if (!slot) {
        return 0;
    }
    auto& count = counts_[*slot];
    if (count < std::numeric_limits<std::int32_t>::max()) {
        ++count;
    }
    captions_.SetCaption(tab, countedCaption(tab, count));
    return count;
}

void UnreadCounters::reset(Tab tab) {
    if (const auto slot = slotOf(tab)) {
        counts_[*slot] = 0;
        captions_.SetCaption(tab, plainCaption(tab));
    }
}

void UnreadCounters::resetAllButNg() {
    for (const ChannelRow& row : kChannelTable) {
        if (row.channel != ChatChannel::NG) {  // the NG counter survives an attach
            reset(row.tab);
        }
    }
}

std::int32_t UnreadCounters::count(Tab tab) const noexcept {
    const auto slot = slotOf(tab);
    return slot ? counts_[*slot] : 0;
}

}  // namespace ruv
