#include "shell/app/window_route_ports.h"

#include "shell/app/ruvivuvaz.h"

namespace ruv {

std::optional<ChatChannel> WindowRoutePorts::ActiveTab() const {
    return channelOf(window_.activeTab());
}

void WindowRoutePorts::SetCaption(Tab tab, std::string_view caption) {
    window_.setCaption(tab, caption);
}

void WindowRoutePorts::keywordUnticked(ChatChannel row) {
    window_.showKeywordSwitch(row);
}

}  // namespace ruv
