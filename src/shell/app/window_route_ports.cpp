#include "shell/app/window_route_ports.h"

#include "shell/app/ruvivuvaz.h"
#include "shell/app/session.h"

namespace ruv {

const RouteSettings& WindowRoutePorts::switches() const {
    return window_.session().core.switches;
}

void WindowRoutePorts::Append(ChatChannel view, std::string_view text, Colour colour) {
    window_.appendLine(view, text, colour);
}

Colour WindowRoutePorts::LastLineColour(ChatChannel view) const {
    return window_.lastLineColour(view);
}

bool WindowRoutePorts::TabShown(ChatChannel tab) const {
    return switches().TabShown(tab);
}

std::optional<ChatChannel> WindowRoutePorts::ActiveTab() const {
    return channelOf(window_.activeTab());
}

void WindowRoutePorts::SetCaption(Tab tab, std::string_view caption) {
    window_.setCaption(tab, caption);
}

bool WindowRoutePorts::Ticked(ChatChannel row) const {
    return switches().keyword(row).armed;
}

void WindowRoutePorts::Untick(ChatChannel row) {
    // The box's click also greys its keyword field and clears the switch.
    window_.setKeywordArmed(row, KeywordSwitch::Off);
}

std::string WindowRoutePorts::Keyword(ChatChannel row) const {
    return switches().keyword(row).text;
}

}  // namespace ruv
