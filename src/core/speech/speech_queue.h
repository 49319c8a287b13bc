#pragma once
// The lines waiting to be spoken, in front of the speech program: whispers and
// urgent rule phrases go first, lines that waited too long are dropped, and
// one speaker cannot fill the queue. No threads and no clock of its own: the
// caller says what time it is.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>

#include "core/speech/speech_request.h"

namespace ruv {

using SpeechTime = std::chrono::nanoseconds;  // a monotonic time

struct SpeechQueuePolicy {
    // Lines allowed to wait inside the speech program; 0 sends at once.
    int maxWaiting = 1;
    // A line that waited longer is dropped; 0 never drops.
    std::chrono::milliseconds staleAfter{std::chrono::seconds(60)};
    // Normal lines of one speaker allowed to wait at once; 0 has no limit.
    int perSpeaker = 3;

    friend bool operator==(const SpeechQueuePolicy&, const SpeechQueuePolicy&) = default;
};

// Every line goes out at once, none is dropped: the sending of old.
inline constexpr SpeechQueuePolicy kSendAtOnce{0, std::chrono::milliseconds(0), 0};

struct DroppedLines {
    std::size_t stale = 0;
    std::size_t flood = 0;

    std::size_t total() const noexcept { return stale + flood; }
    friend bool operator==(const DroppedLines&, const DroppedLines&) = default;
};

struct QueuedLine {
    SpeechRequest request;
    SpeechLineTag tag;
    SpeechTime queuedAt{};
    std::uint64_t order = 0;  // set by the queue: the age among lines
};

class SpeechQueue {
  public:
    void setPolicy(const SpeechQueuePolicy& policy) { policy_ = policy; }
    const SpeechQueuePolicy& policy() const noexcept { return policy_; }

    // Adds a line. A normal line whose speaker already has the limit waiting
    // drops that speaker's oldest waiting normal line (a flood drop).
    void push(SpeechRequest request, SpeechLineTag tag, SpeechTime now);
    // Drops the lines that waited longer than the policy allows; how many.
    std::size_t dropStale(SpeechTime now);
    // Takes out the line to send next: the oldest urgent one, else the oldest.
    std::optional<QueuedLine> take();
    // Puts back a line that could not be sent, at its place by age.
    void putBack(QueuedLine line);
    // Drops every waiting line without counting it (the player asked); how many.
    std::size_t clear();
    // Drops the lines `unwanted` picks without counting them; how many.
    std::size_t dropWhere(const std::function<bool(const QueuedLine&)>& unwanted);

    std::size_t size() const noexcept { return lines_.size(); }
    bool empty() const noexcept { return lines_.empty(); }
    const QueuedLine* next() const;

    const DroppedLines& dropped() const noexcept { return dropped_; }
    void resetDropped() { dropped_ = {}; }

  private:
    std::size_t nextIndex() const;  // with lines waiting

    SpeechQueuePolicy policy_;
    std::deque<QueuedLine> lines_;  // oldest first
    std::uint64_t nextOrder_ = 0;
    DroppedLines dropped_;
};

}  // namespace ruv
