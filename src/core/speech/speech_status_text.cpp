#include "core/speech/speech_status_text.h"

#include "core/speech/speech_test_buttons.h"

namespace ruv {

namespace t = speech_status_texts;

namespace {

std::string lines(std::size_t count) {
    return std::to_string(count) + std::string(t::kLines);
}

void addTip(std::string& tooltip, std::string_view line) {
    if (!tooltip.empty()) {
        tooltip += '\n';
    }
    tooltip += line;
}

}  // namespace

SpeechStatusText speechStatusText(const SpeechQueueStatus& status, std::string_view downSince) {
    SpeechStatusText out;
    out.text = std::string(t::kHead);
    // Paused is said first: the player chose it, and it holds while 棒読みちゃん
    // is down as well.
    if (status.paused) {
        out.text += t::kPaused;
    }
    if (status.link == SpeechLink::Down) {
        if (status.paused) {
            out.text += ' ';
        }
        out.text += downSince.empty() ? std::string(t::kDown)
                                      : std::string(t::kDownHead) + std::string(downSince) +
                                            std::string(t::kDownTail);
        addTip(out.tooltip, speechFailureText(status.downReason));
    }
    if (status.link != SpeechLink::Down && !status.paused) {
        out.text += std::string(t::kWaitingHead) + lines(status.waiting);
    } else if (status.waiting > 0) {
        out.text += " " + std::string(t::kWaitingHead) + lines(status.waiting);
    }
    if (status.link == SpeechLink::CannotPace) {
        out.text += t::kCannotPace;
        addTip(out.tooltip, t::kCannotPaceTip);
    }
    if (status.dropped.total() > 0) {
        out.text += std::string(t::kDroppedHead) + lines(status.dropped.total());
        addTip(out.tooltip, std::string(t::kStaleTip) + lines(status.dropped.stale));
        addTip(out.tooltip, std::string(t::kFloodTip) + lines(status.dropped.flood));
    }
    return out;
}

std::string speechCheckText(const SpeechProgramCheck& check) {
    namespace c = speech_check_texts;
    if (check.unreachable) {
        return std::string(kSendFailedText) + "(" + speechFailureText(*check.unreachable) + ")";
    }
    if (!check.canPace) {
        return std::string(c::kCannotPace);
    }
    return std::string(c::kPaces) + std::to_string(check.waiting) + std::string(c::kPacesTail);
}

}  // namespace ruv
