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

namespace {

using platform::TcpFailure;

std::string_view failureText(TcpFailure failure) {
    switch (failure) {
        case TcpFailure::BadAddress:
            return speech_texts::kFailureBadAddress;
        case TcpFailure::Refused:
            return speech_texts::kFailureRefused;
        case TcpFailure::TimedOut:
            return speech_texts::kFailureTimedOut;
        case TcpFailure::Reset:
            return speech_texts::kFailureReset;
        case TcpFailure::NoAnswer:
            return speech_texts::kFailureNoAnswer;
        case TcpFailure::Fault:
            break;
    }
    return speech_texts::kFailureFault;
}

// The connection was never made: nothing of the line reached the program.
bool nothingArrived(TcpFailure failure) {
    return failure != TcpFailure::Reset && failure != TcpFailure::NoAnswer;
}

std::uint32_t littleEndian32(std::string_view bytes) {
    std::uint32_t value = 0;
    for (std::size_t i = 4; i-- > 0;) {
        value = (value << 8) | static_cast<unsigned char>(bytes[i]);
    }
    return value;
}

}  // namespace

std::string speechFailureText(TcpFailure failure) {
    return std::string(failureText(failure));
}

std::string speechClientReportText(const SpeechClientReport& report) {
    switch (report.kind) {
        case SpeechClientReport::Kind::SendFailed:
            return std::string(kSendFailedText) + "(SpeakLine) ";
        case SpeechClientReport::Kind::OldEndpointDropped:
            return std::string(speech_texts::kOldEndpointDroppedHead) +
                   std::to_string(report.dropped) +
                   std::string(speech_texts::kOldEndpointDroppedTail);
        case SpeechClientReport::Kind::OutageBegan:
            return std::string(kSendFailedText) + std::string(speech_texts::kOutageHead) +
                   std::string(failureText(report.reason)) + std::string(speech_texts::kOutageTail);
        case SpeechClientReport::Kind::OutageEnded:
            return std::string(speech_texts::kOutageEndedHead) + std::to_string(report.dropped) +
                   std::string(speech_texts::kOutageEndedTail);
        case SpeechClientReport::Kind::RequestsDropped:
            break;
    }
    return std::string(speech_texts::kQueueOverflowHead) + std::to_string(report.dropped) +
           std::string(speech_texts::kQueueOverflowTail);
}

SpeechClient::SpeechClient(ReportFn report, SpeechClientOptions options,
                           const platform::MonotonicClock* clock)
    : report_(std::move(report)),
      options_(options),
      clock_(clock != nullptr ? *clock : steadyClock_),
      pacer_(options.timing) {
    pacer_.queue().setPolicy(options.policy);
    worker_ = std::thread([this] { run(); });
}

SpeechClient::~SpeechClient() {
    stop();
}

void SpeechClient::Send(SpeechRequest request, SpeechLineTag tag) {
    std::size_t dropped = 0;
    {
        std::lock_guard lock(mutex_);
        if (stopping_.load()) {
            return;
        }
        SpeechQueue& queue = pacer_.queue();
        if (queue.size() >= options_.capacity) {
            dropped = queue.clear();
        }
        endpoint_ = request.endpoint;
        queue.push(std::move(request), std::move(tag), clock_.now());
        ++changes_;
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
        tests_.push_back({std::move(request), std::move(tried)});
        ++changes_;
    }
    wake_.notify_one();
}

void SpeechClient::setPolicy(const SpeechQueuePolicy& policy) {
    {
        std::lock_guard lock(mutex_);
        pacer_.queue().setPolicy(policy);
        ++changes_;
    }
    wake_.notify_one();
}

void SpeechClient::setEndpoint(const SpeechEndpoint& endpoint) {
    std::lock_guard lock(mutex_);
    endpoint_ = endpoint;
}

void SpeechClient::setWatching(bool watching) {
    {
        std::lock_guard lock(mutex_);
        pacer_.setWatching(watching);
        ++changes_;
    }
    wake_.notify_one();
}

void SpeechClient::setPaused(bool paused) {
    {
        std::lock_guard lock(mutex_);
        if (stopping_.load()) {
            return;
        }
        pacer_.setPaused(paused);
        commands_.push_back({paused ? SpeechCommand::Pause : SpeechCommand::Resume, {}, {}});
        ++changes_;
    }
    wake_.notify_one();
}

void SpeechClient::skipCurrent() {
    {
        std::lock_guard lock(mutex_);
        if (stopping_.load()) {
            return;
        }
        commands_.push_back({SpeechCommand::Skip, {}, {}});
        ++changes_;
    }
    wake_.notify_one();
}

void SpeechClient::clearWaiting() {
    {
        std::lock_guard lock(mutex_);
        if (stopping_.load()) {
            return;
        }
        pacer_.queue().clear();
        commands_.push_back({SpeechCommand::Clear, {}, {}});
        ++changes_;
    }
    wake_.notify_one();
}

void SpeechClient::check(const SpeechEndpoint& endpoint,
                         std::function<void(const SpeechProgramCheck&)> done) {
    {
        std::lock_guard lock(mutex_);
        if (stopping_.load()) {
            return;
        }
        commands_.push_back({SpeechCommand::CountWaiting, std::move(done), endpoint});
        ++changes_;
    }
    wake_.notify_one();
}

SpeechQueueStatus SpeechClient::status() {
    std::lock_guard lock(mutex_);
    return {pacer_.queue().size(), pacer_.paused(), pacer_.link(), pacer_.downReason(),
            pacer_.queue().dropped()};
}

void SpeechClient::resetDropped() {
    std::lock_guard lock(mutex_);
    pacer_.queue().resetDropped();
}

std::size_t SpeechClient::dropWaitingNotFor(const SpeechEndpoint& stored) {
    std::lock_guard lock(mutex_);
    return pacer_.queue().dropWhere(
        [&stored](const QueuedLine& line) { return line.request.endpoint != stored; });
}

std::size_t SpeechClient::waiting() {
    std::lock_guard lock(mutex_);
    return tests_.size() + pacer_.queue().size();
}

bool SpeechClient::idleLocked() const {
    return tests_.empty() && commands_.empty() && pacer_.queue().empty() && !busy_;
}

bool SpeechClient::waitUntilIdle(std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    return idle_.wait_for(lock, timeout, [this] { return idleLocked(); });
}

void SpeechClient::stop() {
    {
        std::lock_guard lock(mutex_);
        stopping_.store(true);
        tests_.clear();
        commands_.clear();
        pacer_.queue().clear();
    }
    wake_.notify_all();
    if (worker_.joinable()) {
        worker_.join();
    }
    idle_.notify_all();
}

void SpeechClient::report(const std::optional<SpeechOutage>& outage) {
    if (!outage || !report_) {
        return;
    }
    if (outage->kind == SpeechOutage::Kind::Began) {
        report_({SpeechClientReport::Kind::OutageBegan, 0, outage->reason});
    } else {
        report_({SpeechClientReport::Kind::OutageEnded, outage->droppedMeanwhile});
    }
}

SpeechEndpoint SpeechClient::questionEndpointLocked() const {
    const QueuedLine* next = pacer_.queue().next();
    if (next != nullptr) {
        return next->request.endpoint;
    }
    return endpoint_.value_or(SpeechEndpoint{});
}

platform::TcpExchange SpeechClient::exchange(const SpeechEndpoint& endpoint, SpeechCommand command,
                                             std::size_t answerBytes) {
    const auto code = static_cast<std::uint16_t>(command);
    const std::array<char, 2> bytes{static_cast<char>(code & 0xff), static_cast<char>(code >> 8)};
    const std::array<std::string_view, 1> blocks{std::string_view(bytes.data(), bytes.size())};
    return platform::exchangeOnNewConnection({endpoint.address, endpoint.port}, blocks, answerBytes,
                                             options_.questionTimeout, stopping_);
}

void SpeechClient::run() {
    platform::lowerCurrentThreadPriority();
    std::unique_lock lock(mutex_);
    for (;;) {
        busy_ = false;
        if (stopping_.load()) {
            return;
        }
        if (!tests_.empty()) {
            sendTest(lock);
            continue;
        }
        if (!commands_.empty()) {
            runCommand(lock);
            continue;
        }
        const SpeechTime now = clock_.now();
        const PacerStep step = pacer_.next(now);
        switch (step.kind) {
            case PacerStep::Kind::Wait:
                waitFor(lock, step, now);
                break;
            case PacerStep::Kind::AskCount:
                askCount(lock);
                break;
            case PacerStep::Kind::Send:
                sendLine(lock);
                break;
        }
    }
}

void SpeechClient::waitFor(std::unique_lock<std::mutex>& lock, const PacerStep& step,
                           SpeechTime now) {
    if (idleLocked()) {
        idle_.notify_all();
    }
    const std::uint64_t seen = changes_;
    const auto woken = [this, seen] { return stopping_.load() || changes_ != seen; };
    if (step.wakeAt == SpeechTime::max()) {
        wake_.wait(lock, woken);
    } else {
        wake_.wait_for(lock, std::max(step.wakeAt - now, SpeechTime(0)), woken);
    }
}

void SpeechClient::sendTest(std::unique_lock<std::mutex>& lock) {
    TestRequest next = std::move(tests_.front());
    tests_.pop_front();
    busy_ = true;
    lock.unlock();
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
        next.tried(result == platform::TcpSendResult::Delivered ? TestOutcome::Sent
                                                                : TestOutcome::NotSent);
    }
    lock.lock();
}

void SpeechClient::runCommand(std::unique_lock<std::mutex>& lock) {
    Command next = std::move(commands_.front());
    commands_.pop_front();
    const std::optional<SpeechEndpoint> endpoint = next.endpoint ? next.endpoint : endpoint_;
    busy_ = true;
    lock.unlock();
    SpeechProgramCheck checked;
    if (!endpoint) {
        checked.unreachable = TcpFailure::BadAddress;
    } else if (next.checked) {
        const platform::TcpExchange count = exchange(*endpoint, SpeechCommand::CountWaiting, 4);
        if (count.failure && nothingArrived(*count.failure)) {
            checked.unreachable = count.failure;
        } else if (!count.failure) {
            checked.canPace = true;
            checked.waiting = littleEndian32(count.answer);
        }
    } else {
        exchange(*endpoint, next.command, 0);
    }
    if (next.checked && !stopping_.load()) {
        next.checked(checked);
    }
    lock.lock();
}

void SpeechClient::askCount(std::unique_lock<std::mutex>& lock) {
    const SpeechEndpoint endpoint = questionEndpointLocked();
    busy_ = true;
    lock.unlock();
    const platform::TcpExchange answer = exchange(endpoint, SpeechCommand::CountWaiting, 4);
    lock.lock();
    if (answer.result == platform::TcpSendResult::Stopped) {
        return;
    }
    const SpeechTime now = clock_.now();
    std::optional<SpeechOutage> outage;
    if (answer.failure) {
        outage = pacer_.countUnanswered(*answer.failure, now);
    } else {
        outage = pacer_.countAnswered(littleEndian32(answer.answer), now);
    }
    report(outage);
}

void SpeechClient::sendLine(std::unique_lock<std::mutex>& lock) {
    std::optional<QueuedLine> line = pacer_.queue().take();
    if (!line) {
        return;
    }
    busy_ = true;
    lock.unlock();
    const std::string_view bytes = line->request.bytes;
    std::array<std::string_view, 2> blocks{};
    if (bytes.size() >= kSpeechHeaderBytes) {
        // Header and message go out as two sends.
        blocks = {bytes.substr(0, kSpeechHeaderBytes), bytes.substr(kSpeechHeaderBytes)};
    }
    const SpeechEndpoint& endpoint = line->request.endpoint;
    const platform::TcpExchange sent =
        sockets_.ready()
            ? platform::exchangeOnNewConnection({endpoint.address, endpoint.port}, blocks, 0,
                                                options_.connectTimeout, stopping_)
            : platform::TcpExchange{platform::TcpSendResult::Fault, TcpFailure::Fault, {}};
    lock.lock();
    if (sent.result == platform::TcpSendResult::Stopped) {
        return;
    }
    std::optional<TcpFailure> unreached;
    if (sent.failure && nothingArrived(*sent.failure)) {
        unreached = sent.failure;
        // Not a byte went out: the line waits again at its place.
        pacer_.queue().putBack(std::move(*line));
    }
    report(pacer_.sendTried(unreached, clock_.now()));
}

}  // namespace ruv
