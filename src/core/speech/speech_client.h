#pragma once
// Sends speech requests from one worker thread, one connection each. The
// requests of the test buttons go first, at once, in the order they were
// handed over; then the player's commands (pause, resume, skip, clear, the
// connection check); then the live lines, through the speech queue and its
// pacer, which decide what goes out when.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "core/platform/monotonic_clock.h"
#include "core/platform/tcp_send.h"
#include "core/speech/speech_pacer.h"
#include "core/speech/speech_queue.h"
#include "core/speech/speech_request.h"

namespace ruv {

struct SpeechClientOptions {
    SpeechClientOptions() = default;
    SpeechClientOptions(std::size_t mostWaiting, std::chrono::milliseconds timeout)
        : capacity(mostWaiting), connectTimeout(timeout) {}

    // Lines waiting beyond this many drop all of them.
    std::size_t capacity = 256;
    // Gives up connecting (and waiting to send) after this long.
    std::chrono::milliseconds connectTimeout{2000};
    // How live lines are paced, dropped and limited; the player's settings
    // replace it through setPolicy.
    SpeechQueuePolicy policy = kSendAtOnce;
    // Gives up on a question (connecting and the answer) after this long.
    std::chrono::milliseconds questionTimeout{1000};
    PacerTiming timing;
};

struct SpeechClientReport {
    enum class Kind {
        // `dropped` waiting requests were discarded to make room.
        RequestsDropped,
        // The socket could not be created or waited on.
        SendFailed,
        // `dropped` live requests waited for an endpoint no longer stored.
        OldEndpointDropped,
        // The speech program cannot be reached, for `reason`.
        OutageBegan,
        // It can be reached again; `dropped` lines were dropped meanwhile.
        OutageEnded,
    };
    Kind kind;
    std::size_t dropped = 0;
    platform::TcpFailure reason = platform::TcpFailure::Refused;
};

// Why the speech program could not be reached, in words (CP932).
std::string speechFailureText(platform::TcpFailure failure);

// The error-log line (without its date and time) for a report.
std::string speechClientReportText(const SpeechClientReport& report);

// The commands of the speech program's port, beside the read-aloud request.
enum class SpeechCommand : std::uint16_t {
    Pause = 0x0010,
    Resume = 0x0020,
    Skip = 0x0030,
    Clear = 0x0040,
    IsPaused = 0x0110,
    IsReading = 0x0120,
    CountWaiting = 0x0130,
};

// What the connection check found.
struct SpeechProgramCheck {
    std::optional<platform::TcpFailure> unreachable;  // set: nothing answered
    bool canPace = false;                             // the count was answered
    std::uint32_t waiting = 0;                        // lines it holds
};

// The queue at a glance, for the status bar.
struct SpeechQueueStatus {
    std::size_t waiting = 0;
    bool paused = false;
    SpeechLink link = SpeechLink::Unknown;
    platform::TcpFailure downReason = platform::TcpFailure::Refused;
    DroppedLines dropped;

    friend bool operator==(const SpeechQueueStatus&, const SpeechQueueStatus&) = default;
};

class SpeechClient final : public SpeechSink {
  public:
    // Called on the thread that calls Send for RequestsDropped and on the worker
    // thread for the others; it must not call back into the client.
    using ReportFn = std::function<void(const SpeechClientReport&)>;

    explicit SpeechClient(ReportFn report, SpeechClientOptions options = {},
                          const platform::MonotonicClock* clock = nullptr);
    ~SpeechClient() override;
    SpeechClient(const SpeechClient&) = delete;
    SpeechClient& operator=(const SpeechClient&) = delete;

    // Queues a live line and returns at once. A queue already holding
    // `capacity` lines drops all of them first and reports how many.
    void Send(SpeechRequest request, SpeechLineTag tag) override;
    void Send(SpeechRequest request) { Send(std::move(request), SpeechLineTag{}); }

    // Whether a test request reached the speech program.
    enum class TestOutcome { Sent, NotSent };
    // Called on the worker thread once a test request was sent or given up.
    using TriedFn = std::function<void(TestOutcome)>;
    // Queues a request of a test button ahead of every waiting live request
    // (behind earlier test requests) and returns at once.
    void SendTest(SpeechRequest request, TriedFn tried = {});

    void setPolicy(const SpeechQueuePolicy& policy);
    // Where the commands and the questions go while no line waits.
    void setEndpoint(const SpeechEndpoint& endpoint);
    // Watching: the speech program is asked now and then while nothing waits.
    void setWatching(bool watching);
    // Holds the queue here and pauses the speech program, or resumes both.
    void setPaused(bool paused);
    // Skips the line the speech program reads now.
    void skipCurrent();
    // Drops every line waiting here, uncounted, then clears the program's.
    void clearWaiting();
    // Asks the speech program at `endpoint` whether it answers, can pace and
    // how many lines it holds; `done` runs on the worker thread.
    void check(const SpeechEndpoint& endpoint, std::function<void(const SpeechProgramCheck&)> done);

    SpeechQueueStatus status();
    // Counts dropped lines from zero again (a new log was attached).
    void resetDropped();

    // Drops the live requests still waiting for another endpoint than
    // `stored`; the number dropped.
    std::size_t dropWaitingNotFor(const SpeechEndpoint& stored);

    // Lines and test requests waiting, not counting the one being sent.
    std::size_t waiting();

    // Waits until every queued request has been sent, given up or dropped;
    // false when the timeout passed first.
    bool waitUntilIdle(std::chrono::milliseconds timeout);

    // Discards what is still waiting, interrupts the request in progress and
    // joins the worker. Later requests are ignored. Also run by the destructor.
    void stop();

  private:
    struct TestRequest {
        SpeechRequest request;
        TriedFn tried;
    };
    struct Command {
        SpeechCommand command = SpeechCommand::Skip;
        std::function<void(const SpeechProgramCheck&)> checked;  // the connection check
        std::optional<SpeechEndpoint> endpoint;                  // none: the client's
    };

    void run();
    // Each runs with the lock held and returns with it held.
    void sendTest(std::unique_lock<std::mutex>& lock);
    void runCommand(std::unique_lock<std::mutex>& lock);
    void askCount(std::unique_lock<std::mutex>& lock);
    void sendLine(std::unique_lock<std::mutex>& lock);
    void waitFor(std::unique_lock<std::mutex>& lock, const PacerStep& step, SpeechTime now);
    bool idleLocked() const;
    void report(const std::optional<SpeechOutage>& outage);
    SpeechEndpoint questionEndpointLocked() const;
    platform::TcpExchange exchange(const SpeechEndpoint& endpoint, SpeechCommand command,
                                   std::size_t answerBytes);

    ReportFn report_;
    SpeechClientOptions options_;
    platform::SteadyClock steadyClock_;
    const platform::MonotonicClock& clock_;
    platform::SocketLibrary sockets_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable idle_;
    std::deque<TestRequest> tests_;
    std::deque<Command> commands_;
    SpeechPacer pacer_;
    std::optional<SpeechEndpoint> endpoint_;
    std::uint64_t changes_ = 0;  // raised by every call that may change the next step
    bool busy_ = false;
    std::atomic<bool> stopping_{false};
    std::thread worker_;
};

}  // namespace ruv
