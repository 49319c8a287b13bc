#include "shell/speech/speech_side.h"

#include <QMetaObject>

#include <string>

namespace ruv {

SpeechSide::SpeechSide(platform::ErrorLog& errors, const platform::Clock& clock,
                       SpeechClientOptions options)
    : errors_(errors),
      clock_(clock),
      client_([this](const SpeechClientReport& report) { queueReport(report); }, options) {
    client_.setPolicy(queueSettings_.policy());
}

void SpeechSide::setQueueSettings(const SpeechQueueSettings& settings) {
    queueSettings_ = settings;
    client_.setPolicy(settings.policy());
}

SpeechSide::~SpeechSide() {
    // Interrupts a connection in progress; nothing is reported after this.
    client_.stop();
}

void SpeechSide::dropWaitingForOldEndpoint(const SpeechEndpoint& stored) {
    const std::size_t dropped = client_.dropWaitingNotFor(stored);
    if (dropped > 0) {
        reportError(
            speechClientReportText({SpeechClientReport::Kind::OldEndpointDropped, dropped}));
    }
}

void SpeechSide::reportError(std::string_view text) {
    if (text.ends_with(' ')) {
        text.remove_suffix(1);
    }
    platform::reportFailure(errors_, clock_, text);
}

void SpeechSide::queueReport(const SpeechClientReport& report) {
    // Called on the worker thread or inside routing: the line is written later,
    // on the user-interface thread.
    QMetaObject::invokeMethod(
        &reportContext_,
        [this, kind = report.kind, text = speechClientReportText(report)] {
            if (kind == SpeechClientReport::Kind::OutageBegan) {
                downSince_ = clock_.now();
            } else if (kind == SpeechClientReport::Kind::OutageEnded) {
                downSince_.reset();
            }
            reportError(text);
        },
        Qt::QueuedConnection);
}

}  // namespace ruv
