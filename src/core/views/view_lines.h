#pragma once
// The lines of one channel view as the session holds them, and who is told
// when they change. The session writes; the views that show them only read
// and repaint on the notices.

#include <optional>
#include <string_view>
#include <vector>

#include "core/text/units.h"
#include "core/views/line_store.h"
#include "core/vocabulary/channel.h"

namespace ruv {

class ViewLinesObserver {
  public:
    // text: what was appended, in one piece (the store may have split it at
    // line breaks and dropped its oldest lines to make room).
    virtual void linesAdded(ChatChannel view, std::string_view text, Colour colour) = 0;
    virtual void linesCleared(ChatChannel view) = 0;
    // The oldest lines were dropped without an append (a lower capacity).
    virtual void linesDropped(ChatChannel view) = 0;
    // The lines are destroyed: forget them.
    virtual void linesGone(ChatChannel view) = 0;

  protected:
    ~ViewLinesObserver() = default;
};

class ViewLines {
  public:
    explicit ViewLines(ChatChannel view = ChatChannel::Normal, Colour defaultColour = Colour{},
                       LineCount capacity = LineCount{LineStore::kDefaultCapacity});
    ~ViewLines();
    ViewLines(const ViewLines&) = delete;
    ViewLines& operator=(const ViewLines&) = delete;

    // One CP932 line; line breaks inside it start further lines. A full view
    // drops its oldest lines to make room.
    void append(std::string_view text, Colour colour);
    // background: the lines' own (a notification rule's colour); empty: the view's.
    void append(std::string_view text, Colour colour, std::optional<Colour> background);
    void append(std::string_view text) { append(text, defaultColour_); }
    void clear();
    void setCapacity(LineCount capacity);

    ChatChannel channel() const { return view_; }
    const LineStore& store() const { return store_; }
    // The colour of the last line; the default text colour while empty.
    Colour lastLineColour() const;
    Colour defaultColour() const { return defaultColour_; }
    void setDefaultColour(Colour colour) { defaultColour_ = colour; }

    // Watching changes nothing in the lines, so it works on a const view of them.
    void watch(ViewLinesObserver& observer) const;
    void unwatch(ViewLinesObserver& observer) const;

  private:
    ChatChannel view_;
    Colour defaultColour_;
    LineStore store_;
    mutable std::vector<ViewLinesObserver*> observers_;
};

}  // namespace ruv
