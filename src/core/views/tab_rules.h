#pragma once
// The main window's tab set: page order, plain captions, which tabs keep an
// unread counter and how a counted caption reads. Captions are CP932 bytes.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/vocabulary/channel.h"
#include "core/vocabulary/tab.h"

namespace ruv {

// Empty when the index names no tab.
std::optional<Tab> tabAtIndex(int index) noexcept;
// The tab that shows a channel's lines (ExpMonitor: the EXP tab).
Tab tabOf(ChatChannel channel) noexcept;
// The channel of a tab; empty for エラーログ and the two storage tabs.
std::optional<ChatChannel> channelOf(Tab tab) noexcept;

// The caption the tab has when it counts nothing, e.g. "一般".
std::string_view plainCaption(Tab tab) noexcept;
TabVisibility visibilityAtDesign(Tab tab) noexcept;
// Only the tabs the tab menu can show or hide (all but the error log and the
// two storage tabs).
bool hasFilterEntry(Tab tab) noexcept;
// Tab menu entry k (1 to 11), empty for any other k.
std::optional<Tab> filterEntryTab(int entry) noexcept;

// 一般, チーム, クラブ, 耳打ち, 叫び, オリジナル and NGフィルター count unread
// lines; エラーログ counts the lines added while another tab was current.
bool hasUnreadCounter(Tab tab) noexcept;
// A counting tab keeps one width until its count passes this many digits.
inline constexpr std::size_t kSteadyCountDigits = 3;
// The text whose width the tab takes while it shows caption (its plain or
// counted caption): a counting tab's caption with its count as at least
// kSteadyCountDigits zeros, so a click aimed at a tab lands on it while counts
// grow; any other tab's caption as it is.
std::string widthCaption(Tab tab, std::string_view caption);
// The plain caption followed by "(" count ")", e.g. "チーム(3)".
std::string countedCaption(Tab tab, std::int32_t count);
// A press on the tab strip resets the counter of the tab active after the
// press: indices 1 to 7 and 11 (エラーログ). Any other index resets nothing.
std::optional<Tab> tabResetByPress(int activeIndex) noexcept;

}  // namespace ruv
