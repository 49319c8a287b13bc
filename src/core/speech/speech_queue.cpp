#include "core/speech/speech_queue.h"

#include <algorithm>
#include <utility>

namespace ruv {

namespace {

bool floodExempt(const SpeechLineTag& tag) {
    return tag.priority == SpeechPriority::High;
}

}  // namespace

void SpeechQueue::push(SpeechRequest request, SpeechLineTag tag, SpeechTime now) {
    if (policy_.perSpeaker > 0 && !floodExempt(tag)) {
        const auto sameSpeaker = [&tag](const QueuedLine& line) {
            return !floodExempt(line.tag) && line.tag.speaker == tag.speaker;
        };
        const auto waiting = std::ranges::count_if(lines_, sameSpeaker);
        if (waiting >= policy_.perSpeaker) {
            lines_.erase(std::ranges::find_if(lines_, sameSpeaker));
            ++dropped_.flood;
        }
    }
    lines_.push_back(QueuedLine{std::move(request), std::move(tag), now, nextOrder_++});
}

std::size_t SpeechQueue::dropStale(SpeechTime now) {
    if (policy_.staleAfter.count() <= 0) {
        return 0;
    }
    const std::size_t dropped = std::erase_if(
        lines_, [&](const QueuedLine& line) { return now - line.queuedAt > policy_.staleAfter; });
    dropped_.stale += dropped;
    return dropped;
}

std::size_t SpeechQueue::nextIndex() const {
    const auto urgent = std::ranges::find_if(
        lines_, [](const QueuedLine& line) { return line.tag.priority == SpeechPriority::High; });
    return urgent != lines_.end() ? static_cast<std::size_t>(urgent - lines_.begin()) : 0;
}

const QueuedLine* SpeechQueue::next() const {
    return lines_.empty() ? nullptr : &lines_[nextIndex()];
}

std::optional<QueuedLine> SpeechQueue::take() {
    if (lines_.empty()) {
        return std::nullopt;
    }
    const auto at = lines_.begin() + static_cast<std::ptrdiff_t>(nextIndex());
    QueuedLine taken = std::move(*at);
    lines_.erase(at);
    return taken;
}

void SpeechQueue::putBack(QueuedLine line) {
    const auto at = std::ranges::lower_bound(lines_, line.order, {}, &QueuedLine::order);
    lines_.insert(at, std::move(line));
}

std::size_t SpeechQueue::clear() {
    const std::size_t cleared = lines_.size();
    lines_.clear();
    return cleared;
}

std::size_t SpeechQueue::dropWhere(const std::function<bool(const QueuedLine&)>& unwanted) {
    return std::erase_if(lines_, unwanted);
}

}  // namespace ruv
