#pragma once
// Line routing: for each new line of the followed log, the NG filter, the
// channel views with the 通常 view, unread counters and call sounds, the
// オリジナル mix and speech, the battle view with the EXP monitor, the 通常
// call sound and the system view, in that order.

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "core/lines/line_sink.h"
#include "core/lines/route_ports.h"
#include "core/log/route_settings.h"
#include "core/rules/rule_engine.h"
#include "core/rules/rule_ports.h"
#include "core/views/channel_book.h"
#include "core/views/ng_lists.h"
#include "core/views/ng_match.h"
#include "core/views/unread_counters.h"

namespace ruv {

// A line that could not be routed to its end. What was done for it before the
// failure stays done; the reader reports the line once and goes on.
class RouteError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

struct RoutePorts {
    TabSelection& tabs;
    RouteSettingsNotices& notices;
    CallSounds& sounds;
    ExpEvents& exp;
    SpeechOut& speech;
    Attention& attention;
};

// The session's state routing works on. The settings and lists are read in
// place, so edits made between two lines apply to the next one.
struct RouteState {
    RouteSettings& settings;
    const NgLists& ngLists;
    ChannelBook& book;
    UnreadCounters& counters;
};

// Notification rules in routing: the session's engine and where their
// sounds and phrases go (the alert is RoutePorts::attention).
struct RuleRouting {
    RuleEngine& engine;
    RuleSounds& sounds;
    RuleSpeech& speech;
};

class LineRouter final : public LineSink {
  public:
    LineRouter(RoutePorts ports, RouteState state) noexcept;
    // With notification rules: a line the NG lists do not hold back is matched
    // against them before it is shown, so every view it lands in paints the
    // colour of its first coloured rule; the actions of the rules that fire
    // follow the line's routing.
    LineRouter(RoutePorts ports, RouteState state, RuleRouting rules) noexcept;

    // raw: one log line after CR LF and entity removal. Throws UncountedGain
    // for a gain amount that is not an integer, and wraps any
    // failure of a port in a RouteError (std::nested_exception holds it).
    void RouteLine(std::string_view raw);
    void routeLine(std::string_view raw) override { RouteLine(raw); }

  private:
    void route(std::string_view raw);
    void applyRules(const ParsedLine& line);
    void fireRules();
    bool heldBack(const ParsedLine& line);
    void holdBack(const ParsedLine& line);
    void routeChat(const ParsedLine& line);
    void mixOriginal(const ParsedLine& line);
    void routeBattle(const ParsedLine& line);
    void playNormalCallSound(const ParsedLine& line);
    void routeSystem(const ParsedLine& line);

    bool counted(ChatChannel tab) const;
    void raiseCounter(ChatChannel tab);
    void playCallSoundIfKeyword(ChatChannel slot, std::string_view text);
    void untickKeyword(ChatChannel row);

    RoutePorts ports_;
    RouteSettings& settings_;
    // A whisper shown or a call sound played for this line.
    bool wantsAttention_ = false;
    // The mix would have read the line, but a rule's phrase is spoken instead:
    // the priority the reading had.
    std::optional<SpeechPriority> readingReplaced_;
    const NgLists& ngLists_;
    ChannelBook& book_;
    UnreadCounters& counters_;
    // Each line is cut once, into a buffer kept to spare allocations.
    LineParser parser_;
    // The line's own marker; empty for a line without one or held back.
    std::optional<ChannelMatch> own_;
    // The NG lists held the line back: nothing but the NGフィルター view shows it.
    bool held_ = false;
    NgMatcher ng_;
    std::optional<RuleRouting> rules_;
    // The line's background, from the first matching rule with a colour.
    std::optional<Colour> background_;
};

}  // namespace ruv
