#include "shell/app/window_route_ports.h"

#include <QCheckBox>
#include <QLineEdit>

#include "core/text/cp932.h"
#include "shell/app/ruvivuvaz.h"

namespace ruv {
namespace {

ChatChannel mixChannel(MixBox box) {
    switch (box) {
        case MixBox::Open:
            return ChatChannel::Open;
        case MixBox::Team:
            return ChatChannel::Team;
        case MixBox::Club:
            return ChatChannel::Club;
        case MixBox::Whis:
            return ChatChannel::Whis;
        case MixBox::Shout:
            return ChatChannel::Shout;
        case MixBox::Battle:
            return ChatChannel::Battle;
        case MixBox::System:
            return ChatChannel::System;
    }
    return ChatChannel::Open;
}

std::optional<ChatChannel> channelOfTab(Tab tab) {
    switch (tab) {
        case Tab::Normal:
            return ChatChannel::Normal;
        case Tab::Open:
            return ChatChannel::Open;
        case Tab::Team:
            return ChatChannel::Team;
        case Tab::Club:
            return ChatChannel::Club;
        case Tab::Whis:
            return ChatChannel::Whis;
        case Tab::Shout:
            return ChatChannel::Shout;
        case Tab::Original:
            return ChatChannel::Original;
        case Tab::NG:
            return ChatChannel::NG;
        case Tab::Battle:
            return ChatChannel::Battle;
        case Tab::System:
            return ChatChannel::System;
        case Tab::ExpMonitor:
            return ChatChannel::ExpMonitor;
        default:
            return std::nullopt;
    }
}

}  // namespace

void WindowRoutePorts::Append(ChatChannel view, std::string_view text, Colour colour) {
    window_.appendLine(view, text, colour);
}

Colour WindowRoutePorts::LastLineColour(ChatChannel view) const {
    return window_.lastLineColour(view);
}

bool WindowRoutePorts::TabShown(ChatChannel tab) const {
    return window_.tabShown(tabOf(tab));
}

std::optional<ChatChannel> WindowRoutePorts::ActiveTab() const {
    return channelOfTab(window_.activeTab());
}

void WindowRoutePorts::SetCaption(ChatChannel tab, std::string_view caption) {
    window_.setCaption(tabOf(tab), caption);
}

bool WindowRoutePorts::NgUsersApplied() const {
    return window_.ngUserSwitch()->isChecked();
}

bool WindowRoutePorts::NgWordsApplied() const {
    return window_.ngWordSwitch()->isChecked();
}

bool WindowRoutePorts::MixTicked(MixBox box) const {
    return window_.mixIncludes(mixChannel(box));
}

bool WindowRoutePorts::SpeechSendTicked() const {
    return window_.speechSwitch()->isChecked();
}

bool WindowRoutePorts::Ticked(ChatChannel row) const {
    return window_.keywordArmed(row);
}

void WindowRoutePorts::Untick(ChatChannel row) {
    window_.setKeywordArmed(row, KeywordSwitch::Off);
}

std::string WindowRoutePorts::Keyword(ChatChannel row) const {
    const QLineEdit* edit = window_.keywordEdit(row);
    if (edit == nullptr) {
        return {};
    }
    // The edit refuses what CP932 cannot hold, so the conversion always succeeds.
    return cp932::fromUtf16(edit->text().toStdU16String()).value_or(std::string{});
}

}  // namespace ruv
