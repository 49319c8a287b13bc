#include "core/views/tab_rules.h"

namespace ruv {

namespace {

// CP932 captions in page order.
constexpr std::array<std::string_view, kTabCount> kCaptions = {
    "\x92\xca\x8f\xed",                                                  // 通常
    "\x88\xea\x94\xca",                                                  // 一般
    "\x83\x60\x81\x5b\x83\x80",                                          // チーム
    "\x83\x4e\x83\x89\x83\x75",                                          // クラブ
    "\x8e\xa8\x91\xc5\x82\xbf",                                          // 耳打ち
    "\x8b\xa9\x82\xd1",                                                  // 叫び
    "\x83\x49\x83\x8a\x83\x57\x83\x69\x83\x8b",                          // オリジナル
    "NG\x83\x74\x83\x42\x83\x8b\x83\x5e\x81\x5b",                        // NGフィルター
    "\x90\xed\x93\xac\x8f\xee\x95\xf1",                                  // 戦闘情報
    "\x83\x56\x83\x58\x83\x65\x83\x80",                                  // システム
    "\x8c\x6f\x8c\xb1\x92\x6c\x8f\xee\x95\xf1",                          // 経験値情報
    "\x83\x47\x83\x89\x81\x5b\x83\x8d\x83\x4f",                          // エラーログ
    "\x83\x66\x83\x6f\x83\x62\x83\x4f",                                  // デバッグ
    "\x8c\xc4\x82\xd1\x8f\x6f\x82\xb5\x89\xb9\x82\xcc\x90\xdd\x92\xe8",  // 呼び出し音の設定
};

}  // namespace

std::optional<Tab> tabAtIndex(int index) noexcept {
    if (index < 0 || index >= kTabCount) {
        return std::nullopt;
    }
    return static_cast<Tab>(index);
}

Tab tabOf(ChatChannel channel) noexcept {
    switch (channel) {
        case ChatChannel::Normal:
            return Tab::Normal;
        case ChatChannel::Open:
            return Tab::Open;
        case ChatChannel::Team:
            return Tab::Team;
        case ChatChannel::Club:
            return Tab::Club;
        case ChatChannel::Whis:
            return Tab::Whis;
        case ChatChannel::Shout:
            return Tab::Shout;
        case ChatChannel::Original:
            return Tab::Original;
        case ChatChannel::NG:
            return Tab::NG;
        case ChatChannel::Battle:
            return Tab::Battle;
        case ChatChannel::System:
            return Tab::System;
        case ChatChannel::ExpMonitor:
            return Tab::ExpMonitor;
    }
    return Tab::Normal;
}

std::string_view plainCaption(Tab tab) noexcept {
    return kCaptions[static_cast<std::size_t>(pageIndex(tab))];
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
