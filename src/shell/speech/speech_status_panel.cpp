#include "shell/speech/speech_status_panel.h"

#include <chrono>
#include <cstdio>

#include "shell/platform/qt_text.h"
#include "shell/speech/speech_side.h"

namespace ruv {

namespace {

constexpr std::chrono::milliseconds kRefresh{250};

std::string timeOfDay(const platform::LocalDateTime& time) {
    char text[16];
    std::snprintf(text, sizeof(text), "%02d:%02d:%02d", time.hour, time.minute, time.second);
    return text;
}

}  // namespace

SpeechStatusPanel::SpeechStatusPanel(QLabel& label, SpeechSide& speech, platform::Timers& timers,
                                     Sources sources)
    : label_(label), speech_(speech), sources_(std::move(sources)) {
    label_.setObjectName(QStringLiteral("SpeechStatusPanel"));
    label_.setTextFormat(Qt::PlainText);
    label_.hide();
    timer_ = timers.create([this] {
        refresh();
        timer_->start(kRefresh);
    });
    timer_->start(kRefresh);
}

void SpeechStatusPanel::refresh() {
    const bool sending = sources_.sending();
    speech_.client().setWatching(sending);
    const std::string attached = sources_.attachedLog();
    if (attached != attached_) {
        attached_ = attached;
        speech_.client().resetDropped();
    }
    label_.setVisible(sending);
    if (!sending) {
        return;
    }
    const auto& since = speech_.downSince();
    SpeechStatusText text =
        speechStatusText(speech_.client().status(), since ? timeOfDay(*since) : std::string());
    if (text != shown_) {
        label_.setText(fromCp932(text.text));
        label_.setToolTip(fromCp932(text.tooltip));
        shown_ = std::move(text);
    }
}

}  // namespace ruv
