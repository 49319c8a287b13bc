#include "core/views/tab_rules.h"

#include "core/text/fixed_text.h"

namespace ruv {

namespace {

inline const FixedText kNormalCaption{"通常"};
inline const FixedText kOpenCaption{"一般"};
inline const FixedText kTeamCaption{"チーム"};
inline const FixedText kClubCaption{"クラブ"};
inline const FixedText kWhisCaption{"耳打ち"};
inline const FixedText kShoutCaption{"叫び"};
inline const FixedText kOriginalCaption{"オリジナル"};
inline const FixedText kNgCaption{"NGフィルター"};
inline const FixedText kBattleCaption{"戦闘情報"};
inline const FixedText kSystemCaption{"システム"};
inline const FixedText kExpMonitorCaption{"経験値情報"};
inline const FixedText kErrorLogCaption{"エラーログ"};
inline const FixedText kDebugCaption{"デバッグ"};
inline const FixedText kSoundsCaption{"呼び出し音の設定"};

// Captions in page order.
constexpr std::array<const FixedText*, kTabCount> kCaptions = {
    &kNormalCaption,     &kOpenCaption,     &kTeamCaption,  &kClubCaption,   &kWhisCaption,
    &kShoutCaption,      &kOriginalCaption, &kNgCaption,    &kBattleCaption, &kSystemCaption,
    &kExpMonitorCaption, &kErrorLogCaption, &kDebugCaption, &kSoundsCaption,
};

// The tab of each channel, by channel.
constexpr std::array<Tab, kChannelCount> kChannelTabs = {
    Tab::Normal,   Tab::Open, Tab::Team,   Tab::Club,   Tab::Whis,       Tab::Shout,
    Tab::Original, Tab::NG,   Tab::Battle, Tab::System, Tab::ExpMonitor,
};

}  // namespace

std::optional<Tab> tabAtIndex(int index) noexcept {
    if (index < 0 || index >= kTabCount) {
        return std::nullopt;
    }
    return static_cast<Tab>(index);
}

Tab tabOf(ChatChannel channel) noexcept {
    return kChannelTabs[static_cast<std::size_t>(channel)];
}

std::optional<ChatChannel> channelOf(Tab tab) noexcept {
    for (std::size_t channel = 0; channel < kChannelTabs.size(); ++channel) {
        if (kChannelTabs[channel] == tab) {
            return static_cast<ChatChannel>(channel);
        }
    }
    return std::nullopt;
}

std::string_view plainCaption(Tab tab) noexcept {
    return *kCaptions[static_cast<std::size_t>(pageIndex(tab))];
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
    return pageIndex(tab) >= pageIndex(Tab::Open) && pageIndex(tab) <= pageIndex(Tab::NG);
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
