#pragma once
// Routing's view of the main window: its views, tabs and captions and the
// keyword rows. Which tabs are shown and the keywords are read from the core
// session's switches, which the window keeps in step with its controls.

#include "core/log/route_ports.h"
#include "core/log/route_settings.h"
#include "core/views/unread_counters.h"

namespace ruv {

class TForm1;

class WindowRoutePorts final : public RouteViews, public TabCaptions, public KeywordRows {
  public:
    explicit WindowRoutePorts(TForm1& window) : window_(window) {}

    void Append(ChatChannel view, std::string_view text, Colour colour) override;
    Colour LastLineColour(ChatChannel view) const override;
    bool TabShown(ChatChannel tab) const override;
    std::optional<ChatChannel> ActiveTab() const override;
    void SetCaption(Tab tab, std::string_view caption) override;

    bool Ticked(ChatChannel row) const override;
    void Untick(ChatChannel row) override;
    std::string Keyword(ChatChannel row) const override;

  private:
    const RouteSettings& switches() const;

    TForm1& window_;
};

}  // namespace ruv
