#include "core/speech/speech_client.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <utility>

#include "core/platform/background_thread.h"
#include "core/speech/speech_test_buttons.h"
#include "core/speech/speech_texts.h"
#include "core/speech/voice_params.h"

namespace ruv {

std::string speechClientReportText(const SpeechClientReport& report) {
    switch (report.kind) {
        case SpeechClientReport::Kind::SendFailed:
            return std::string(kSendFailedText) + "(SpeakLine) ";
        case SpeechClientReport::Kind::OldEndpointDropped:
            return std::string(speech_texts::kOldEndpointDroppedHead) +
                   std::to_string(report.dropped) +
                   std::string(speech_texts::kOldEndpointDroppedTail);
        case SpeechClientReport::Kind::RequestsDropped:
            break;
    }
    return std::string(speech_texts::kQueueOverflowHead) + std::to_string(report.dropped) +
           std::string(speech_texts::kQueueOverflowTail);
}

SpeechClient::SpeechClient(ReportFn report, SpeechClientOptions options)
    : report_(std::move(report)), options_(options) {
    worker_ = std::thread([this] { run(); });
}

SpeechClient::~SpeechClient() {
    stop();
}

std::deque<SpeechClient::Queued>::iterator SpeechClient::firstLiveRequest() {
    // Test requests all wait ahead of live ones, so this looks only at the tests.
    return std::ranges::find_if(queue_, [](const Queued& q) { return !q.test; });
}

void SpeechClient::Send(SpeechRequest request) {
    std::size_t dropped = 0;
    {
        std::lock_guard lock(mutex_);
        if (stopping_.load()) {
            return;
        }
        const auto firstLive = firstLiveRequest();
        if (static_cast<std::size_t>(queue_.end() - firstLive) >= options_.capacity) {
            dropped = static_cast<std::size_t>(queue_.end() - firstLive);
            queue_.erase(firstLive, queue_.end());
        }
        queue_.push_back({std::move(request), false, {}});
    }
    wake_.notify_one();
    if (dropped > 0 && report_) {
        report_({SpeechClientReport::Kind::RequestsDropped, dropped});
    }
}

void SpeechClient::SendTest(SpeechRequest request, TriedFn tried) {
    {
        std::lock_guard lock(mutex_);
        if (stopping_.load()) {
            return;
        }
        queue_.insert(firstLiveRequest(), {std::move(request), true, std::move(tried)});
    }
    wake_.notify_one();
}

std::size_t SpeechClient::dropWaitingNotFor(const SpeechEndpoint& stored) {
    std::lock_guard lock(mutex_);
    return std::erase_if(
        queue_, [&stored](const Queued& q) { return !q.test && q.request.endpoint != stored; });
}

std::size_t SpeechClient::waiting() {
    std::lock_guard lock(mutex_);
    return queue_.size();
}

bool SpeechClient::waitUntilIdle(std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    return idle_.wait_for(lock, timeout, [this] { return queue_.empty() && !busy_; });
}

void SpeechClient::stop() {
    {
        std::lock_guard lock(mutex_);
        stopping_.store(true);
        queue_.clear();
    }
    wake_.notify_all();
    if (worker_.joinable()) {
        worker_.join();
    }
    idle_.notify_all();
}

void SpeechClient::run() {
    platform::lowerCurrentThreadPriority();
    for (;;) {
        Queued next;
        {
            std::unique_lock lock(mutex_);
            busy_ = false;
            idle_.notify_all();
            wake_.wait(lock, [this] { return stopping_.load() || !queue_.empty(); });
            if (stopping_.load()) {
                return;
            }
            next = std::move(queue_.front());
            queue_.pop_front();
            busy_ = true;
        }

        const SpeechRequest& request = next.request;
        const std::string_view bytes = request.bytes;
        std::array<std::string_view, 2> blocks{};
        if (bytes.size() >= kSpeechHeaderBytes) {
            // Header and message go out as two sends.
            blocks = {bytes.substr(0, kSpeechHeaderBytes), bytes.substr(kSpeechHeaderBytes)};
        }
        const platform::TcpSendResult result =
            sockets_.ready()
                ? platform::sendOnNewConnection({request.endpoint.address, request.endpoint.port},
                                                blocks, options_.connectTimeout, stopping_)
                : platform::TcpSendResult::Fault;
        if (result == platform::TcpSendResult::Fault && report_) {
            report_({SpeechClientReport::Kind::SendFailed, 0});
        }
        if (result != platform::TcpSendResult::Stopped && next.tried) {
            next.tried();
        }
    }
}

}  // namespace ruv
