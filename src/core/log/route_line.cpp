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
    // Only the line's own marker decides: markup typed into a message must not
    // move the line, mix it as another channel or count as experience.
    const ParsedLine& line = parser_.parse(raw);
    own_ = line.own;
    held_ = false;
    wantsAttention_ = false;
    readingReplaced_.reset();
    background_.reset();
    if (settings_.TabShown(ChatChannel::NG) && heldBack(line)) {
        holdBack(line);
        own_.reset();
        held_ = true;
        if (rules_) {
            rules_->engine.passOver(line.parts.stamp);
        }
    } else if (rules_) {
        applyRules(line);
    }
    routeChat(line);
    mixOriginal(line);
    routeBattle(line);
    playNormalCallSound(line);
    routeSystem(line);
    if (wantsAttention_ && settings_.callAlert) {
        ports_.attention.requestAttention();
    }
    if (rules_) {
        fireRules();
    }
}

void LineRouter::applyRules(const ParsedLine& line) {
    const std::optional<ChatChannel> channel =
        own_ ? std::optional<ChatChannel>(own_->channel) : std::nullopt;
    background_ =
        rules_->engine.apply(line.parts.stamp, line.parts.body, channel, LineUse::Live).background;
}

void LineRouter::fireRules() {
    const RuleOutcome& outcome = rules_->engine.outcome();
    for (const std::string_view sound : outcome.sounds) {
        rules_->sounds.playRuleSound(sound);
    }
    // One switch silences everything spoken.
    if (settings_.speechSend) {
        for (const RulePhrase& phrase : outcome.phrases) {
            const bool urgent =
                phrase.priority == SpeechPriority::High || readingReplaced_ == SpeechPriority::High;
            rules_->speech.speakRulePhrase(phrase.phrase, phrase.speaker,
                                           urgent ? SpeechPriority::High : SpeechPriority::Normal);
        }
    }
    if (outcome.alert) {
        ports_.attention.requestAttention();
    }
}

bool LineRouter::heldBack(const ParsedLine& line) {
    if (settings_.ngUsersApplied && ng_.namesUser(line.raw, ngLists_.users)) {
        return true;
    }
    if (settings_.ngWordsApplied && !ngLists_.words.empty()) {
        return ng_.holdsWord(line.display, ngLists_.words);
    }
    return false;
}

void LineRouter::holdBack(const ParsedLine& line) {
    std::optional<Colour> colour;
    for (const NgColourTest& test : kNgColourTests) {
        if (containsMarker(line.raw, test.marker, test.otherForm)) {
            colour = test.colour;
        }
    }
    book_.append(ChatChannel::NG, line.display,
                 colour.value_or(book_.lastLineColour(ChatChannel::NG)));
    raiseCounter(ChatChannel::NG);
}

void LineRouter::routeChat(const ParsedLine& line) {
    if (!own_ || !isChatChannel(own_->channel)) {
        return;
    }
    const ChatChannel channel = own_->channel;
    if (settings_.TabShown(ChatChannel::Normal)) {
        book_.append(ChatChannel::Normal, line.display, own_->colour, background_);
    } else {
        untickKeyword(ChatChannel::Normal);
    }
    if (settings_.TabShown(channel)) {
        book_.append(channel, line.display, own_->colour, background_);
        raiseCounter(channel);
        wantsAttention_ = wantsAttention_ || channel == ChatChannel::Whis;
    } else {
        untickKeyword(channel);
    }
    playCallSoundIfKeyword(channel, line.display);
}

void LineRouter::mixOriginal(const ParsedLine& line) {
    if (!settings_.TabShown(ChatChannel::Original) || !own_) {
        return;
    }
    const MixRoute* mix = mixRouteOf(own_->colour);
    if (mix == nullptr || !settings_.MixTicked(mix->box)) {
        return;
    }
    book_.append(ChatChannel::Original, line.display, mix->colour, background_);
    raiseCounter(ChatChannel::Original);
    playCallSoundIfKeyword(ChatChannel::Original, line.display);
    if (settings_.speechSend) {
        const SpeechPriority priority =
            own_->channel == ChatChannel::Whis ? SpeechPriority::High : SpeechPriority::Normal;
        // One line is spoken once: a rule's phrase for it replaces the reading.
        if (rules_ && !rules_->engine.outcome().phrases.empty()) {
            readingReplaced_ = priority;
            return;
        }
        ports_.speech.SpeakLine(line.spoken(), mix->speaker, priority);
    }
}

void LineRouter::routeBattle(const ParsedLine& line) {
    if (!own_ || own_->channel != ChatChannel::Battle) {
        return;
    }
    if (settings_.TabShown(ChatChannel::Battle)) {
        book_.append(ChatChannel::Battle, line.display, colours::kBattle, background_);
    }
    if (isLevelUp(line.raw)) {
        ports_.exp.RecordLevelUp(timeStampOf(line.raw));
    }
    if (isExpGain(line.raw)) {
        ports_.exp.StartExpClock();
        const std::optional<std::int64_t> amount = gainAmount(line.raw);
        if (!amount) {
            throw UncountedGain("experience gain amount is not an integer");
        }
        ports_.exp.RecordGain(*amount, timeStampOf(line.raw));
    }
}

void LineRouter::playNormalCallSound(const ParsedLine& line) {
    // The keyword is looked for in what the user reads, never in the markup.
    if (!held_ && !line.raw.empty()) {
        playCallSoundIfKeyword(ChatChannel::Normal, line.display);
    }
}

void LineRouter::routeSystem(const ParsedLine& line) {
    if (!own_ || own_->channel != ChatChannel::System || !settings_.TabShown(ChatChannel::System)) {
        return;
    }
    book_.append(ChatChannel::System, line.display, own_->colour, background_);
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
