#include "core/log/route_line.h"

#include <array>
#include <exception>
#include <optional>

#include "core/text/sjis.h"

namespace ruv {

namespace {

// Every marker begins with a blank or "<", which is never the second byte of
// a character, so a plain byte search finds the character-wise matches.
bool hasMarker(std::string_view text, std::string_view marker) {
    return !marker.empty() && text.find(marker) != std::string_view::npos;
}

bool containsMarker(std::string_view text, std::string_view marker, std::string_view otherForm) {
    return hasMarker(text, marker) || hasMarker(text, otherForm);
}

struct MixRoute {
    Colour colour;
    MixBox box;
    SpeakerLine speaker;
};

// Shout lines are mixed, but their speaker's name is always read.
constexpr std::array<MixRoute, 9> kMixRoutes{{
    {colours::kOpenGreen, MixBox::Open, SpeakerLine::Yes},
    {colours::kOpenWhite, MixBox::Open, SpeakerLine::Yes},
    {colours::kTeam, MixBox::Team, SpeakerLine::Yes},
    {colours::kClub, MixBox::Club, SpeakerLine::Yes},
    {colours::kWhis, MixBox::Whis, SpeakerLine::Yes},
    {colours::kShout, MixBox::Shout, SpeakerLine::No},
    {colours::kBattle, MixBox::Battle, SpeakerLine::No},
    {colours::kSystemRed, MixBox::System, SpeakerLine::No},
    {colours::kSystemGreen, MixBox::System, SpeakerLine::No},
}};

const MixRoute* mixRouteOf(Colour colour) {
    for (const MixRoute& route : kMixRoutes) {
        if (route.colour == colour) {
            return &route;
        }
    }
    return nullptr;
}

// The colour of a held-back line, tested in order, a later match winning.
struct NgColourTest {
    Colour colour;
    std::string_view marker;
    std::string_view otherForm;
};

constexpr std::array<NgColourTest, 6> kNgColourTests{{
    {colours::kOpenGreen, markers::kOpenGreenBefore, markers::kOpenGreenAfter},
    {colours::kOpenWhite, markers::kOpenWhiteBefore, markers::kOpenWhiteAfter},
    {colours::kTeam, "</font> <font size=\"2\" color=\"#f7b73c\">", {}},
    {colours::kClub, "</font> <font size=\"2\" color=\"#94ddfa\">", {}},
    {colours::kWhis, "</font> <font size=\"2\" color=\"#64ff64\">", {}},
    {colours::kShout, "</font> <font size=\"2\" color=\"#c896c8\">", {}},
}};

}  // namespace

void LineRouter::WorkText::assign(std::string_view raw) {
    text.assign(raw);
    isDisplay = false;
}

void LineRouter::WorkText::toDisplay() {
    text = displayText(text);
    isDisplay = true;
}

LineRouter::LineRouter(RoutePorts ports, const NgLists& ngLists, UnreadCounters& counters) noexcept
    : ports_(ports), ngLists_(ngLists), counters_(counters) {}

void LineRouter::RouteLine(std::string_view raw) {
    try {
        route(raw);
    } catch (const RouteError&) {
        throw;
    } catch (const std::exception& failure) {
        std::throw_with_nested(RouteError(std::string("line routing failed: ") + failure.what()));
    }
}

void LineRouter::route(std::string_view raw) {
    routing_.assign(raw);
    mix_.assign(raw);
    // Only the line's own marker decides: markup typed into a message must not
    // move the line, mix it as another channel or count as experience.
    own_ = ownMarker(raw);
    wantsAttention_ = false;
    if (ports_.views.TabShown(ChatChannel::NG) && heldBack(raw)) {
        holdBack();
        own_.reset();
    }
    routeChat();
    mixOriginal(raw);
    routeBattle();
    playNormalCallSound();
    routeSystem();
    if (wantsAttention_ && ports_.switches.CallAlertTicked()) {
        ports_.attention.requestAttention();
    }
}

bool LineRouter::heldBack(std::string_view raw) {
    if (ports_.switches.NgUsersApplied() && ng_.namesUser(raw, ngLists_.users)) {
        return true;
    }
    if (ports_.switches.NgWordsApplied() && !ngLists_.words.empty()) {
        ngDisplay_ = displayText(raw);
        return ng_.holdsWord(ngDisplay_, ngLists_.words);
    }
    return false;
}

void LineRouter::holdBack() {
    std::optional<Colour> colour;
    for (const NgColourTest& test : kNgColourTests) {
        if (containsMarker(routing_.text, test.marker, test.otherForm)) {
            colour = test.colour;
        }
    }
    mix_.toDisplay();
    ports_.views.Append(ChatChannel::NG, mix_.text,
                        colour.value_or(ports_.views.LastLineColour(ChatChannel::NG)));
    raiseCounter(ChatChannel::NG);
    routing_.text.clear();
}

void LineRouter::routeChat() {
    if (!own_ || !isChatChannel(own_->channel)) {
        return;
    }
    const ChatChannel channel = own_->channel;
    routing_.toDisplay();
    if (ports_.views.TabShown(ChatChannel::Normal)) {
        ports_.views.Append(ChatChannel::Normal, routing_.text, own_->colour);
    } else {
        ports_.keywords.Untick(ChatChannel::Normal);
    }
    if (ports_.views.TabShown(channel)) {
        ports_.views.Append(channel, routing_.text, own_->colour);
        raiseCounter(channel);
        wantsAttention_ = wantsAttention_ || channel == ChatChannel::Whis;
    } else {
        ports_.keywords.Untick(channel);
    }
    playCallSoundIfKeyword(channel, routing_.text);
}

void LineRouter::mixOriginal(std::string_view raw) {
    if (!ports_.views.TabShown(ChatChannel::Original) || !own_) {
        return;
    }
    const MixRoute* mix = mixRouteOf(own_->colour);
    if (mix == nullptr || !ports_.switches.MixTicked(mix->box)) {
        return;
    }
    mix_.toDisplay();
    ports_.views.Append(ChatChannel::Original, mix_.text, mix->colour);
    raiseCounter(ChatChannel::Original);
    playCallSoundIfKeyword(ChatChannel::Original, mix_.text);
    if (ports_.switches.SpeechSendTicked()) {
        const std::string display = displayText(raw);
        ports_.speech.SpeakLine(bodyOfDisplay(display), mix->speaker);
    }
}

void LineRouter::routeBattle() {
    if (!own_ || own_->channel != ChatChannel::Battle) {
        return;
    }
    if (ports_.views.TabShown(ChatChannel::Battle)) {
        ports_.views.Append(ChatChannel::Battle, displayText(routing_.text), colours::kBattle);
    }
    if (isLevelUp(routing_.text)) {
        ports_.exp.RecordLevelUp();
    }
    if (isExpGain(routing_.text)) {
        ports_.exp.StartExpClock();
        const std::optional<std::int64_t> amount = gainAmount(routing_.text);
        if (!amount) {
            throw RouteError("experience gain amount is not an integer");
        }
        ports_.exp.RecordGain(*amount);
    }
}

void LineRouter::playNormalCallSound() {
    // The keyword is looked for in what the user reads, never in the markup.
    if (routing_.isDisplay) {
        playCallSoundIfKeyword(ChatChannel::Normal, routing_.text);
    } else if (!routing_.text.empty()) {
        playCallSoundIfKeyword(ChatChannel::Normal, displayText(routing_.text));
    }
}

void LineRouter::routeSystem() {
    if (!own_ || own_->channel != ChatChannel::System ||
        !ports_.views.TabShown(ChatChannel::System)) {
        return;
    }
    routing_.toDisplay();
    ports_.views.Append(ChatChannel::System, routing_.text, own_->colour);
}

bool LineRouter::counted(ChatChannel tab) const {
    const std::optional<ChatChannel> active = ports_.views.ActiveTab();
    return active != tab && active != ChatChannel::Normal;
}

void LineRouter::raiseCounter(ChatChannel tab) {
    if (!counted(tab)) {
        return;
    }
    counters_.raise(tabOf(tab));
}

void LineRouter::playCallSoundIfKeyword(ChatChannel slot, std::string_view text) {
    if (!ports_.keywords.Ticked(slot)) {
        return;
    }
    const std::string keyword = ports_.keywords.Keyword(slot);
    if (sjis::contains(text, keyword) && ports_.sounds.HasCallSound(slot)) {
        ports_.sounds.PlayCallSound(slot);
        wantsAttention_ = true;
    }
}

}  // namespace ruv
