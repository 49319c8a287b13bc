#include "core/speech/speech_pacer.h"

#include <algorithm>

namespace ruv {

namespace {

bool connectedButSilent(platform::TcpFailure failure) {
    return failure == platform::TcpFailure::NoAnswer;
}

}  // namespace

PacerStep SpeechPacer::waitUntil(SpeechTime at, SpeechTime now) const {
    if (!queue_.empty() && queue_.policy().staleAfter.count() > 0) {
        at = std::min(at, now + SpeechTime(timing_.staleCheck));
    }
    return {PacerStep::Kind::Wait, at};
}

PacerStep SpeechPacer::next(SpeechTime now) {
    queue_.dropStale(now);
    const bool everTried = lastTry_ != SpeechTime::min();
    if (queue_.empty()) {
        if (!watching_ || !everTried) {
            return {PacerStep::Kind::Wait, SpeechTime::max()};
        }
        const auto interval = link_ == SpeechLink::Down ? timing_.retry : timing_.idlePoll;
        const SpeechTime due = lastTry_ + SpeechTime(interval);
        return now >= due ? PacerStep{PacerStep::Kind::AskCount} : waitUntil(due, now);
    }
    if (paused_) {
        return waitUntil(SpeechTime::max(), now);
    }
    const bool pacing = queue_.policy().maxWaiting > 0;
    const auto attempt = [pacing](bool mayPace) {
        return pacing && mayPace ? PacerStep{PacerStep::Kind::AskCount}
                                 : PacerStep{PacerStep::Kind::Send};
    };
    switch (link_) {
        case SpeechLink::Down: {
            const SpeechTime due = lastTry_ + SpeechTime(timing_.retry);
            return now >= due ? attempt(true) : waitUntil(due, now);
        }
        case SpeechLink::CannotPace:
            return attempt(now - cannotPaceSince_ >= SpeechTime(timing_.askAgain));
        case SpeechLink::Unknown:
            return attempt(true);
        case SpeechLink::Pacing:
            break;
    }
    if (!pacing || allowance_ > 0) {
        return {PacerStep::Kind::Send};
    }
    const SpeechTime due = lastTry_ + SpeechTime(timing_.poll);
    return now >= due ? PacerStep{PacerStep::Kind::AskCount} : waitUntil(due, now);
}

std::optional<SpeechOutage> SpeechPacer::reached(SpeechTime now) {
    lastTry_ = now;
    if (link_ != SpeechLink::Down) {
        return std::nullopt;
    }
    link_ = SpeechLink::Unknown;
    const std::size_t dropped = queue_.dropped().total();
    return SpeechOutage{SpeechOutage::Kind::Ended, downReason_,
                        dropped > droppedBeforeOutage_ ? dropped - droppedBeforeOutage_ : 0};
}

std::optional<SpeechOutage> SpeechPacer::notReached(platform::TcpFailure failure, SpeechTime now) {
    lastTry_ = now;
    allowance_ = 0;
    downReason_ = failure;
    if (link_ == SpeechLink::Down) {
        return std::nullopt;
    }
    link_ = SpeechLink::Down;
    droppedBeforeOutage_ = queue_.dropped().total();
    return SpeechOutage{SpeechOutage::Kind::Began, failure, 0};
}

std::optional<SpeechOutage> SpeechPacer::countAnswered(std::uint32_t waitingThere, SpeechTime now) {
    std::optional<SpeechOutage> outage = reached(now);
    link_ = SpeechLink::Pacing;
    const auto limit = static_cast<std::uint32_t>(std::max(0, queue_.policy().maxWaiting));
    allowance_ = waitingThere < limit ? limit - waitingThere : 0;
    return outage;
}

std::optional<SpeechOutage> SpeechPacer::countUnanswered(platform::TcpFailure failure,
                                                         SpeechTime now) {
    if (!connectedButSilent(failure)) {
        return notReached(failure, now);
    }
    std::optional<SpeechOutage> outage = reached(now);
    link_ = SpeechLink::CannotPace;
    cannotPaceSince_ = now;
    allowance_ = 0;
    return outage;
}

std::optional<SpeechOutage> SpeechPacer::sendTried(std::optional<platform::TcpFailure> failure,
                                                   SpeechTime now) {
    if (failure) {
        return notReached(*failure, now);
    }
    const SpeechLink before = link_;
    std::optional<SpeechOutage> outage = reached(now);
    if (before == SpeechLink::Down) {
        // Sent to a program not asked since it came back: ask before the next.
        link_ = queue_.policy().maxWaiting > 0 ? SpeechLink::Unknown : SpeechLink::Pacing;
    }
    if (allowance_ > 0) {
        --allowance_;
    }
    return outage;
}

}  // namespace ruv
