#include "shell/app/window_route_ports.h"

#include <QLineEdit>

#include "shell/app/ruvivuvaz.h"
#include "shell/platform/qt_text.h"

namespace ruv {

void WindowRoutePorts::Append(ChatChannel view, std::string_view text, Colour colour) {
    window_.appendLine(view, text, colour);
}

Colour WindowRoutePorts::LastLineColour(ChatChannel view) const {
    return window_.lastLineColour(view);
}

bool WindowRoutePorts::TabShown(ChatChannel tab) const {
    return switches_.TabShown(tab);
}

std::optional<ChatChannel> WindowRoutePorts::ActiveTab() const {
    return channelOf(window_.activeTab());
}

void WindowRoutePorts::SetCaption(ChatChannel tab, std::string_view caption) {
    window_.setCaption(tabOf(tab), caption);
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
    return toCp932(edit->text()).value_or(std::string{});
}

}  // namespace ruv
