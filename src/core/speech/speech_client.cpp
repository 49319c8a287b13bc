#include "core/speech/speech_client.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <utility>

#include "core/platform/background_thread.h"
#include "core/speech/speech_test_buttons.h"
#include "core/speech/voice_params.h"

namespace ruv {

std::string speechClientReportText(const SpeechClientReport& report) {
    switch (report.kind) {
        case SpeechClientReport::Kind::SendFailed:
            return std::string(kSendFailedText) + "(SpeakLine) ";
        case SpeechClientReport::Kind::OldEndpointDropped:
            // "毒電波の送信先が変わったため、前の送信先への読み上げ要求を" N
            // "件破棄しました(Button01Click) "
            return "\x93\xc5\x93\x64\x94\x67\x82\xcc\x91\x97\x90\x4d\x90\xe6\x82\xaa\x95\xcf"
                   "\x82\xed\x82\xc1\x82\xbd\x82\xbd\x82\xdf\x81\x41\x91\x4f\x82\xcc\x91\x97"
                   "\x90\x4d\x90\xe6\x82\xd6\x82\xcc\x93\xc7\x82\xdd\x8f\xe3\x82\xb0\x97\x76"
                   "\x8b\x81\x82\xf0" +
                   std::to_string(report.dropped) +
                   "\x8c\x8f\x94j\x8a\xfc\x82\xb5\x82\xdc\x82\xb5\x82\xbd(Button01Click) ";
        case SpeechClientReport::Kind::RequestsDropped:
            break;
    }
    // "毒電波の送信待ちが溢れたため、古い読み上げ要求を" N "件破棄しました(SpeakLine) "
    return "\x93\xc5\x93"
           "d\x94g\x82\xcc\x91\x97\x90M\x91\xd2\x82\xbf\x82\xaa\x88\xec\x82\xea"
           "\x82\xbd\x82\xbd\x82\xdf\x81"
           "A\x8c\xc3\x82\xa2\x93\xc7\x82\xdd\x8f\xe3\x82\xb0\x97v"
           "\x8b\x81\x82\xf0" +
           std::to_string(report.dropped) +
           "\x8c\x8f\x94j\x8a\xfc\x82\xb5\x82\xdc\x82\xb5\x82\xbd(SpeakLine) ";
}

SpeechClient::SpeechClient(ReportFn report, SpeechClientOptions options)
    : report_(std::move(report)), options_(options) {
    worker_ = std::thread([this] { run(); });
}

SpeechClient::~SpeechClient() {
    stop();
}

void SpeechClient::Send(SpeechRequest request) {
    std::size_t dropped = 0;
    {
        std::lock_guard lock(mutex_);
        if (stopping_.load()) {
            return;
        }
        const auto live = std::ranges::count_if(queue_, [](const Queued& q) { return !q.test; });
        if (static_cast<std::size_t>(live) >= options_.capacity) {
            dropped = std::erase_if(queue_, [](const Queued& q) { return !q.test; });
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
        const auto firstLive =
            std::ranges::find_if(queue_, [](const Queued& q) { return !q.test; });
        queue_.insert(firstLive, {std::move(request), true, std::move(tried)});
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
