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

LineRouter::LineRouter(RoutePorts ports, RouteState state) noexcept
    : ports_(ports),
      settings_(state.settings),
      ngLists_(state.ngLists),
      book_(state.book),
      counters_(state.counters) {}

LineRouter::LineRouter(RoutePorts ports, RouteState state, RuleRouting rules) noexcept
    : LineRouter(ports, state) {
    rules_.emplace(rules);
}

void LineRouter::RouteLine(std::string_view raw) {
    try {
        route(raw);
    } catch (const RouteError&) {
        throw;
    } catch (const UncountedGain&) {
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
    background_.reset();
    if (settings_.TabShown(ChatChannel::NG) && heldBack(raw)) {
        holdBack();
        own_.reset();
        if (rules_) {
            rules_->engine.passOver(displayParts(raw).stamp);
        }
    } else if (rules_) {
        applyRules(raw);
    }
    routeChat();
    mixOriginal(raw);
    routeBattle();
    playNormalCallSound();
    routeSystem();
    if (wantsAttention_ && settings_.callAlert) {
        ports_.attention.requestAttention();
    }
    if (rules_) {
        fireRules();
    }
}

void LineRouter::applyRules(std::string_view raw) {
    const DisplayParts display = displayParts(raw);
    const std::optional<ChatChannel> channel =
        own_ ? std::optional<ChatChannel>(own_->channel) : std::nullopt;
    background_ =
        rules_->engine.apply(display.stamp, display.body, channel, LineUse::Live).background;
}

void LineRouter::fireRules() {
    const RuleOutcome& outcome = rules_->engine.outcome();
    for (const std::string_view sound : outcome.sounds) {
        rules_->sounds.playRuleSound(sound);
    }
    // One switch silences everything spoken.
    if (settings_.speechSend) {
        for (const RulePhrase& phrase : outcome.phrases) {
            rules_->speech.speakRulePhrase(phrase.phrase, phrase.speaker);
        }
    }
    if (outcome.alert) {
        ports_.attention.requestAttention();
    }
}

bool LineRouter::heldBack(std::string_view raw) {
    if (settings_.ngUsersApplied && ng_.namesUser(raw, ngLists_.users)) {
        return true;
    }
    if (settings_.ngWordsApplied && !ngLists_.words.empty()) {
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
    book_.append(ChatChannel::NG, mix_.text,
                 colour.value_or(book_.lastLineColour(ChatChannel::NG)));
    raiseCounter(ChatChannel::NG);
    routing_.text.clear();
}

void LineRouter::routeChat() {
    if (!own_ || !isChatChannel(own_->channel)) {
        return;
    }
    const ChatChannel channel = own_->channel;
    routing_.toDisplay();
    if (settings_.TabShown(ChatChannel::Normal)) {
        book_.append(ChatChannel::Normal, routing_.text, own_->colour, background_);
    } else {
        untickKeyword(ChatChannel::Normal);
    }
    if (settings_.TabShown(channel)) {
        book_.append(channel, routing_.text, own_->colour, background_);
        raiseCounter(channel);
        wantsAttention_ = wantsAttention_ || channel == ChatChannel::Whis;
    } else {
        untickKeyword(channel);
    }
    playCallSoundIfKeyword(channel, routing_.text);
}

void LineRouter::mixOriginal(std::string_view raw) {
    if (!settings_.TabShown(ChatChannel::Original) || !own_) {
        return;
    }
    const MixRoute* mix = mixRouteOf(own_->colour);
    if (mix == nullptr || !settings_.MixTicked(mix->box)) {
        return;
    }
    mix_.toDisplay();
    book_.append(ChatChannel::Original, mix_.text, mix->colour, background_);
    raiseCounter(ChatChannel::Original);
    playCallSoundIfKeyword(ChatChannel::Original, mix_.text);
    if (settings_.speechSend) {
        const std::string display = displayText(raw);
        ports_.speech.SpeakLine(bodyOfDisplay(display), mix->speaker);
    }
}

void LineRouter::routeBattle() {
    if (!own_ || own_->channel != ChatChannel::Battle) {
        return;
    }
    if (settings_.TabShown(ChatChannel::Battle)) {
        book_.append(ChatChannel::Battle, displayText(routing_.text), colours::kBattle,
                     background_);
    }
    if (isLevelUp(routing_.text)) {
        ports_.exp.RecordLevelUp(timeStampOf(routing_.text));
    }
    if (isExpGain(routing_.text)) {
        ports_.exp.StartExpClock();
        const std::optional<std::int64_t> amount = gainAmount(routing_.text);
        if (!amount) {
            throw UncountedGain("experience gain amount is not an integer");
        }
        ports_.exp.RecordGain(*amount, timeStampOf(routing_.text));
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
    if (!own_ || own_->channel != ChatChannel::System || !settings_.TabShown(ChatChannel::System)) {
        return;
    }
    routing_.toDisplay();
    book_.append(ChatChannel::System, routing_.text, own_->colour, background_);
}

bool LineRouter::counted(ChatChannel tab) const {
    const std::optional<ChatChannel> active = ports_.tabs.ActiveTab();
    return active != tab && active != ChatChannel::Normal;
}

void LineRouter::raiseCounter(ChatChannel tab) {
    if (!counted(tab)) {
        return;
    }
    counters_.raise(tabOf(tab));
}

void LineRouter::playCallSoundIfKeyword(ChatChannel slot, std::string_view text) {
    const CallKeyword& keyword = settings_.keyword(slot);
    if (!keyword.armed) {
        return;
    }
    if (sjis::contains(text, keyword.text) && ports_.sounds.HasCallSound(slot)) {
        ports_.sounds.PlayCallSound(slot);
        wantsAttention_ = true;
    }
}

void LineRouter::untickKeyword(ChatChannel row) {
    settings_.keyword(row).armed = false;
    ports_.notices.keywordUnticked(row);
}

}  // namespace ruv
