#include "shell/app/window_route_ports.h"

#include "shell/app/page_control.h"
#include "shell/platform/qt_text.h"

namespace ruv {

std::optional<ChatChannel> WindowRoutePorts::ActiveTab() const {
    return channelOf(tabs_.currentTab().value_or(Tab::Normal));
}

void WindowRoutePorts::SetCaption(Tab tab, std::string_view caption) {
    tabs_.setCaption(tab, fromCp932(caption));
}

}  // namespace ruv
