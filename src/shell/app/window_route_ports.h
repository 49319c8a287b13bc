#pragma once
// Routing's view of the main window: which tab is active, the tabs' captions
// and the keyword check boxes routing unticks. The lines, which tabs are shown
// and the keywords are in the core session.

#include "core/log/route_ports.h"
#include "core/views/unread_counters.h"

namespace ruv {

class TForm1;

class WindowRoutePorts final : public TabSelection,
                               public TabCaptions,
                               public RouteSettingsNotices {
  public:
    explicit WindowRoutePorts(TForm1& window) : window_(window) {}

    std::optional<ChatChannel> ActiveTab() const override;
    void SetCaption(Tab tab, std::string_view caption) override;
    void keywordUnticked(ChatChannel row) override;

  private:
    TForm1& window_;
};

}  // namespace ruv
