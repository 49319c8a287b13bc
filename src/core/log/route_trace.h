#pragma once
// A plain-text trace of routing, for the command line and for checking routing
// from outside: one line per append, gain, level-up, spoken line and failure.

#include <array>
#include <filesystem>
#include <iosfwd>
#include <string>
#include <string_view>

#include "core/log/route_line.h"
#include "core/log/route_settings.h"
#include "core/log/sort_listing.h"
#include "core/platform/error_log.h"
#include "core/views/channel_book.h"
#include "core/views/ng_lists.h"
#include "core/views/unread_counters.h"

namespace ruv {

// The ports of routing as a printer. The active tab is 通常 and no call sound
// is set.
//   VIEW<TAB>#rrggbb<TAB>TEXT   an append (VIEW the view's settings key)
//   gain<TAB>N                  a live experience gain
//   level-up                    a level-up
//   speak<TAB>0|1<TAB>TEXT      a line handed to speech with its speaker flag
//   error<TAB>MESSAGE           a line whose routing failed
class RouteTracePrinter final : public TabSelection,
                                public TabCaptions,
                                public RouteSettingsNotices,
                                public CallSounds,
                                public ExpEvents,
                                public SpeechOut,
                                public Attention,
                                public platform::ErrorLog,
                                public ViewLinesObserver {
  public:
    RouteTracePrinter(std::ostream& out, ListingText text);

    std::optional<ChatChannel> ActiveTab() const override { return ChatChannel::Normal; }
    void SetCaption(Tab, std::string_view) override {}
    void keywordUnticked(ChatChannel) override {}

    bool HasCallSound(ChatChannel) const override { return false; }
    void PlayCallSound(ChatChannel) override {}

    void StartExpClock() override {}
    void RecordGain(std::int64_t amount, std::string_view stamp) override;
    void RecordLevelUp(std::string_view stamp) override;

    void SpeakLine(std::string_view text, SpeakerLine speaker, SpeechPriority priority) override;

    // A listing has no window to flash.
    void requestAttention() override {}

    void append(std::string_view line) override;

    // Every append to a view is printed.
    void linesAdded(ChatChannel view, std::string_view text, Colour colour) override;
    void linesCleared(ChatChannel) override {}
    void linesDropped(ChatChannel) override {}
    void linesGone(ChatChannel) override {}

  private:
    std::string shown(std::string_view text) const;
    void print(const std::string& line);

    std::ostream& out_;
    ListingText text_;
};

// Routing with the first-run state, until its settings and lists are changed.
class TracedRouting {
  public:
    TracedRouting(std::ostream& out, ListingText text);

    RouteSettings& settings() { return settings_; }
    NgLists& lists() { return lists_; }
    LineRouter& router() { return router_; }
    RouteTracePrinter& printer() { return printer_; }

  private:
    RouteSettings settings_;
    NgLists lists_;
    RouteTracePrinter printer_;
    // Each view keeps only its last line: routing reads no more of it.
    ChannelBook book_;
    UnreadCounters counters_{printer_};
    LineRouter router_;
};

}  // namespace ruv
