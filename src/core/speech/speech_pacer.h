#pragma once
// Decides, line by line, when the speech queue talks to the speech program:
// ask how many lines it holds, send the next line, or wait. Keeps at most the
// policy's number of lines waiting there, sends at once to a program that
// cannot say how many it holds, and holds every line while the program is
// down, retrying until it answers again. No threads, no sockets: the caller
// carries out each step and tells the result.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "core/platform/tcp_send.h"
#include "core/speech/speech_queue.h"

namespace ruv {

enum class SpeechLink {
    Unknown,     // not asked yet
    Pacing,      // answers how many lines it holds
    CannotPace,  // takes lines but does not answer the count
    Down,        // cannot be reached
};

struct PacerStep {
    enum class Kind { Wait, AskCount, Send };
    Kind kind = Kind::Wait;
    // Wait: when to decide again (SpeechTime::max(): until something changes).
    SpeechTime wakeAt = SpeechTime::max();
};

// The start or the end of an outage, to be written to the error log once.
struct SpeechOutage {
    enum class Kind { Began, Ended };
    Kind kind = Kind::Began;
    platform::TcpFailure reason = platform::TcpFailure::Refused;  // Began
    std::size_t droppedMeanwhile = 0;                             // Ended
};

struct PacerTiming {
    // Between questions while the program holds enough lines.
    std::chrono::milliseconds poll{200};
    // Between questions while nothing waits here and lines are watched.
    std::chrono::milliseconds idlePoll{2000};
    // Between tries while the program is down.
    std::chrono::milliseconds retry{1000};
    // A program that could not pace is asked again after this long.
    std::chrono::milliseconds askAgain{std::chrono::seconds(30)};
    // Longest wait while lines wait, so that stale lines are counted promptly.
    std::chrono::milliseconds staleCheck{500};
};

class SpeechPacer {
  public:
    explicit SpeechPacer(PacerTiming timing = {}) : timing_(timing) {}

    SpeechQueue& queue() noexcept { return queue_; }
    const SpeechQueue& queue() const noexcept { return queue_; }

    // Paused: nothing is sent; stale lines go on being dropped and counted.
    void setPaused(bool paused) { paused_ = paused; }
    bool paused() const noexcept { return paused_; }
    // Watching: the program is asked now and then even while nothing waits,
    // so its state shows and its return is noticed.
    void setWatching(bool watching) { watching_ = watching; }

    PacerStep next(SpeechTime now);

    // The results of the steps.
    std::optional<SpeechOutage> countAnswered(std::uint32_t waitingThere, SpeechTime now);
    std::optional<SpeechOutage> countUnanswered(platform::TcpFailure failure, SpeechTime now);
    std::optional<SpeechOutage> sendTried(std::optional<platform::TcpFailure> failure,
                                          SpeechTime now);

    SpeechLink link() const noexcept { return link_; }
    // While down: why the last try failed.
    platform::TcpFailure downReason() const noexcept { return downReason_; }

  private:
    std::optional<SpeechOutage> reached(SpeechTime now);
    std::optional<SpeechOutage> notReached(platform::TcpFailure failure, SpeechTime now);
    PacerStep waitUntil(SpeechTime at, SpeechTime now) const;

    PacerTiming timing_;
    SpeechQueue queue_;
    SpeechLink link_ = SpeechLink::Unknown;
    platform::TcpFailure downReason_ = platform::TcpFailure::Refused;
    bool paused_ = false;
    bool watching_ = false;
    // Lines that may go out before asking again.
    std::uint32_t allowance_ = 0;
    SpeechTime lastTry_ = SpeechTime::min();
    SpeechTime cannotPaceSince_{};
    std::size_t droppedBeforeOutage_ = 0;
};

}  // namespace ruv
