#pragma once
// Routing's view of the main window: which tab is active, the tabs' captions
// and the keyword check boxes routing unticks. The lines, which tabs are shown
// and the keywords are in the core session.

#include <functional>

#include "core/lines/route_ports.h"
#include "core/views/unread_counters.h"

namespace ruv {

class PageControl;

class WindowRoutePorts final : public TabSelection,
                               public TabCaptions,
                               public RouteSettingsNotices {
  public:
    // showKeywordSwitch: shows a keyword row's switch as the session now holds it.
    WindowRoutePorts(PageControl& tabs, std::function<void(ChatChannel)> showKeywordSwitch)
        : tabs_(tabs), showKeywordSwitch_(std::move(showKeywordSwitch)) {}

    std::optional<ChatChannel> ActiveTab() const override;
    void SetCaption(Tab tab, std::string_view caption) override;
    void keywordUnticked(ChatChannel row) override { showKeywordSwitch_(row); }

  private:
    PageControl& tabs_;
    std::function<void(ChatChannel)> showKeywordSwitch_;
};

}  // namespace ruv
