#pragma once
// Routing's view of the main window: its views and tabs, the switches on the
// オリジナル and NGフィルター tabs, and the keyword rows.

#include "core/log/route_ports.h"

namespace ruv {

class TForm1;

class WindowRoutePorts final : public RouteViews, public RouteSwitches, public KeywordRows {
  public:
    explicit WindowRoutePorts(TForm1& window) : window_(window) {}

    void Append(ChatChannel view, std::string_view text, Colour colour) override;
    Colour LastLineColour(ChatChannel view) const override;
    bool TabShown(ChatChannel tab) const override;
    std::optional<ChatChannel> ActiveTab() const override;
    void SetCaption(ChatChannel tab, std::string_view caption) override;

    bool NgUsersApplied() const override;
    bool NgWordsApplied() const override;
    bool MixTicked(MixBox box) const override;
    bool SpeechSendTicked() const override;

    bool Ticked(ChatChannel row) const override;
    void Untick(ChatChannel row) override;
    std::string Keyword(ChatChannel row) const override;

  private:
    TForm1& window_;
};

}  // namespace ruv
