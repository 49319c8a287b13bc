#pragma once
// The lines of every channel view, held by the session: routing and tidying
// append here, attaching clears here, and the views watch their own lines.

#include <array>
#include <optional>
#include <string_view>

#include "core/views/view_lines.h"
#include "core/vocabulary/channel.h"
#include "core/vocabulary/channel_table.h"

namespace ruv {

class ChannelBook {
  public:
    // The views without a colour of their own start with the system's window
    // colour as it is in the default scheme.
    static constexpr Colour kDefaultWindowColour{0xffffff};

    ChannelBook();
    ChannelBook(const ChannelBook&) = delete;
    ChannelBook& operator=(const ChannelBook&) = delete;

    // A channel without a view (経験値情報) keeps nothing. background: the
    // line's own, a notification rule's colour; empty: the view's.
    void append(ChatChannel view, std::string_view text, Colour colour,
                std::optional<Colour> background = std::nullopt);
    void clear(ChatChannel view);
    // The colour of the view's last line; its default text colour while empty.
    Colour lastLineColour(ChatChannel view) const { return lines(view).lastLineColour(); }

    ViewLines& lines(ChatChannel view) { return lines_[static_cast<std::size_t>(view)]; }
    const ViewLines& lines(ChatChannel view) const {
        return lines_[static_cast<std::size_t>(view)];
    }

    // The default text colour of the views without a colour of their own.
    void setWindowColour(Colour colour);

  private:
    std::array<ViewLines, kChannelCount> lines_;
};

}  // namespace ruv
