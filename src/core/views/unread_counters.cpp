#include "core/views/unread_counters.h"

#include <limits>

namespace ruv {

namespace {
std::size_t indexOf(ChatChannel tab) noexcept {
    return static_cast<std::size_t>(tab);
}
}  // namespace

bool UnreadCounters::HasCounter(ChatChannel tab) noexcept {
    switch (tab) {
        case ChatChannel::Open:
        case ChatChannel::Team:
        case ChatChannel::Club:
        case ChatChannel::Whis:
        case ChatChannel::Shout:
        case ChatChannel::Original:
        case ChatChannel::NG:
            return true;
        default:
            return false;
    }
}

std::string_view UnreadCounters::PlainCaption(ChatChannel tab) noexcept {
    switch (tab) {
        case ChatChannel::Normal:
            return "\x92\xca\x8f\xed";  // 通常
        case ChatChannel::Open:
            return "\x88\xea\x94\xca";  // 一般
        case ChatChannel::Team:
            return "\x83\x60\x81\x5b\x83\x80";  // チーム
        case ChatChannel::Club:
            return "\x83\x4e\x83\x89\x83\x75";  // クラブ
        case ChatChannel::Whis:
            return "\x8e\xa8\x91\xc5\x82\xbf";  // 耳打ち
        case ChatChannel::Shout:
            return "\x8b\xa9\x82\xd1";  // 叫び
        case ChatChannel::Original:
            return "\x83\x49\x83\x8a\x83\x57\x83\x69\x83\x8b";  // オリジナル
        case ChatChannel::NG:
            return "NG\x83\x74\x83\x42\x83\x8b\x83\x5e\x81\x5b";  // NGフィルター
        case ChatChannel::Battle:
            return "\x90\xed\x93\xac\x8f\xee\x95\xf1";  // 戦闘情報
        case ChatChannel::System:
            return "\x83\x56\x83\x58\x83\x65\x83\x80";  // システム
        case ChatChannel::ExpMonitor:
            return "\x8c\x6f\x8c\xb1\x92\x6c\x8f\xee\x95\xf1";  // 経験値情報
    }
    return {};
}

std::string UnreadCounters::CountedCaption(ChatChannel tab, std::int32_t count) {
    std::string caption(PlainCaption(tab));
    caption += '(';
    caption += std::to_string(count);
    caption += ')';
    return caption;
}

std::int32_t UnreadCounters::Raise(ChatChannel tab) noexcept {
    if (!HasCounter(tab)) {
        return 0;
    }
    std::int32_t& count = counts_[indexOf(tab)];
    // A counter that could pass the 32-bit limit stays at it rather than wrap.
    if (count < std::numeric_limits<std::int32_t>::max()) {
        ++count;
    }
    return count;
}

std::int32_t UnreadCounters::Count(ChatChannel tab) const noexcept {
    return counts_[indexOf(tab)];
}

void UnreadCounters::Reset(ChatChannel tab) noexcept {
    counts_[indexOf(tab)] = 0;
}

void UnreadCounters::ResetForAttach() noexcept {
    const std::int32_t ng = counts_[indexOf(ChatChannel::NG)];
    counts_.fill(0);
    counts_[indexOf(ChatChannel::NG)] = ng;
}

}  // namespace ruv
