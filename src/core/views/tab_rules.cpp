#include "core/views/tab_rules.h"

#include <algorithm>

#include "core/text/fixed_text.h"
#include "core/vocabulary/channel_table.h"

namespace ruv {

namespace {

// The tabs without a channel.
inline const FixedText kErrorLogCaption{"エラーログ"};
inline const FixedText kDebugCaption{"デバッグ"};
inline const FixedText kSoundsCaption{"呼び出し音の設定"};

}  // namespace

std::optional<Tab> tabAtIndex(int index) noexcept {
    if (index < 0 || index >= kTabCount) {
        return std::nullopt;
    }
    return static_cast<Tab>(index);
}

Tab tabOf(ChatChannel channel) noexcept {
    return channelRow(channel).tab;
}

std::optional<ChatChannel> channelOf(Tab tab) noexcept {
    for (const ChannelRow& row : kChannelTable) {
        if (row.tab == tab) {
            return row.channel;
        }
    }
    return std::nullopt;
}

std::string_view plainCaption(Tab tab) noexcept {
    if (const auto channel = channelOf(tab)) {
        return *channelRow(*channel).caption;
    }
    switch (tab) {
        case Tab::ErrorLog:
            return kErrorLogCaption;
        case Tab::Debug:
            return kDebugCaption;
        default:
            return kSoundsCaption;
    }
}

TabVisibility visibilityAtDesign(Tab tab) noexcept {
    switch (tab) {
        case Tab::Battle:
        case Tab::System:
        case Tab::Debug:
        case Tab::Sounds:
            return TabVisibility::Hidden;
        default:
            return TabVisibility::Shown;
    }
}

bool hasFilterEntry(Tab tab) noexcept {
    return pageIndex(tab) < kFilterEntryCount;
}

std::optional<Tab> filterEntryTab(int entry) noexcept {
    if (entry < 1 || entry > kFilterEntryCount) {
        return std::nullopt;
    }
    return static_cast<Tab>(entry - 1);
}

bool hasUnreadCounter(Tab tab) noexcept {
    if (tab == Tab::ErrorLog) {
        return true;
    }
    const auto channel = channelOf(tab);
    return channel && channelRow(*channel).unread == CountsUnread::Yes;
}

std::string widthCaption(Tab tab, std::string_view caption) {
    if (!hasUnreadCounter(tab)) {
        return std::string(caption);
    }
    const std::size_t plain = plainCaption(tab).size();
    // The caption is the plain one or "plain(count)".
    const std::size_t digits = caption.size() > plain + 2 ? caption.size() - plain - 2 : 0;
    std::string widest(plainCaption(tab));
    widest += '(';
    widest.append(std::max<std::size_t>(digits, kSteadyCountDigits), '0');
    widest += ')';
    return widest;
}

std::string countedCaption(Tab tab, std::int32_t count) {
    std::string caption(plainCaption(tab));
    caption += '(';
    caption += std::to_string(count);
    caption += ')';
    return caption;
}

std::optional<Tab> tabResetByPress(int activeIndex) noexcept {
    const auto tab = tabAtIndex(activeIndex);
    if (!tab || !hasUnreadCounter(*tab)) {
        return std::nullopt;
    }
    return tab;
}

}  // namespace ruv
