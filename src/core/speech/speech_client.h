#pragma once
// Sends speech requests from one worker thread, one connection each, through a
// bounded queue: the requests of the test buttons first, in the order they were
// handed over, then the live ones, in theirs.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

#include "core/platform/tcp_send.h"
#include "core/speech/speech_request.h"

namespace ruv {

struct SpeechClientOptions {
    // Requests waiting beyond this many drop the older ones.
    std::size_t capacity = 256;
    // Gives up connecting (and waiting to send) after this long.
    std::chrono::milliseconds connectTimeout{2000};
};

struct SpeechClientReport {
    enum class Kind {
        // `dropped` waiting requests were discarded to make room.
        RequestsDropped,
        // The socket could not be created or waited on.
        SendFailed,
        // `dropped` live requests waited for an endpoint no longer stored.
        OldEndpointDropped,
    };
    Kind kind;
    std::size_t dropped = 0;
};

// The error-log line (without its date and time) for a report.
std::string speechClientReportText(const SpeechClientReport& report);

class SpeechClient final : public SpeechSink {
  public:
    // Called on the thread that calls Send for RequestsDropped and on the worker
    // thread for SendFailed; it must not call back into the client.
    using ReportFn = std::function<void(const SpeechClientReport&)>;

    explicit SpeechClient(ReportFn report, SpeechClientOptions options = {});
    ~SpeechClient() override;
    SpeechClient(const SpeechClient&) = delete;
    SpeechClient& operator=(const SpeechClient&) = delete;

    // Queues a live request and returns at once. A queue already holding
    // `capacity` live requests drops all of them first and reports how many.
    void Send(SpeechRequest request) override;

    // Called on the worker thread once a test request was sent or given up.
    using TriedFn = std::function<void()>;
    // Queues a request of a test button ahead of every waiting live request
    // (behind earlier test requests) and returns at once.
    void SendTest(SpeechRequest request, TriedFn tried = {});

    // Drops the live requests still waiting for another endpoint than
    // `stored`; the number dropped.
    std::size_t dropWaitingNotFor(const SpeechEndpoint& stored);

    // Requests waiting, not counting the one being sent.
    std::size_t waiting();

    // Waits until every queued request has been sent or given up; false when
    // the timeout passed first.
    bool waitUntilIdle(std::chrono::milliseconds timeout);

    // Discards what is still waiting, interrupts the request in progress and
    // joins the worker. Later requests are ignored. Also run by the destructor.
    void stop();

  private:
    struct Queued {
        SpeechRequest request;
        bool test = false;
        TriedFn tried;
    };

    void run();
    // Where the live requests begin; call with the mutex held.
    std::deque<Queued>::iterator firstLiveRequest();

    ReportFn report_;
    SpeechClientOptions options_;
    platform::SocketLibrary sockets_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable idle_;
    std::deque<Queued> queue_;  // test requests first
    bool busy_ = false;
    std::atomic<bool> stopping_{false};
    std::thread worker_;
};

}  // namespace ruv
