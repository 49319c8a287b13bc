#include "core/lines/chat_format.h"

#include <array>
#include <cstdio>
#include <cstring>
#include <limits>

#include "core/text/sjis.h"
#include "core/vocabulary/channel_table.h"

namespace ruv {

bool isChatChannel(ChatChannel channel) noexcept {
    return channelRow(channel).kind == ChannelKind::Chat;
}

std::string removeEntities(std::string_view line) {
    return sjis::replaceAll(sjis::replaceAll(line, "&nbsp ", ""), "&nbsp", "");
}

std::string removeCrLf(std::string_view line) {
    return sjis::replaceAll(line, "\r\n", "");
}

DisplayParts displayParts(std::string_view raw) noexcept {
    std::string_view rest = raw.substr(std::min(raw.size(), kMarkerAndSeparatorBytes));
    DisplayParts parts{rest.substr(0, std::min(rest.size(), kTimeStampBytes)), {}};
    rest.remove_prefix(parts.stamp.size());
    rest.remove_prefix(std::min(rest.size(), kTagBlockBytes));
    parts.body = rest;
    // The closing tags are cut from the joined text, which may reach into the stamp.
    if (parts.stamp.size() + parts.body.size() >= kLineCloseBytes) {
        const std::size_t fromBody = std::min(parts.body.size(), kLineCloseBytes);
        parts.body.remove_suffix(fromBody);
        parts.stamp.remove_suffix(kLineCloseBytes - fromBody);
    }
    return parts;
}

std::string displayText(std::string_view raw) {
    const DisplayParts parts = displayParts(raw);
    std::string out;
    out.reserve(parts.stamp.size() + parts.body.size());
    out.append(parts.stamp);
    out.append(parts.body);
    return out;
}

std::string_view timeStampOf(std::string_view raw) noexcept {
    return raw.substr(std::min(raw.size(), kMarkerAndSeparatorBytes), kTimeStampBytes);
}

std::string_view bodyOfDisplay(std::string_view display) noexcept {
    return display.substr(std::min(display.size(), kTimeStampBytes));
}

bool containsOpenGreen(std::string_view text) noexcept {
    return sjis::contains(text, markers::kOpenGreenBefore) ||
           sjis::contains(text, markers::kOpenGreenAfter);
}

bool containsOpenWhite(std::string_view text) noexcept {
    return sjis::contains(text, markers::kOpenWhiteBefore) ||
           sjis::contains(text, markers::kOpenWhiteAfter);
}

namespace {

// `<font size="2" color="#` + six lower-case hexadecimal digits + `">`.
constexpr std::string_view kColourTagStart = "<font size=\"2\" color=\"#";
constexpr std::size_t kColourTagBytes = 31;
constexpr std::size_t kColourDigits = 6;
constexpr std::string_view kFontClose = "</font>";

struct MarkerColour {
    std::string_view digits;
    ChannelMatch match;
};
// Open markers are "</font>" and the colour tag in either tag-block form.
constexpr std::array<MarkerColour, 2> kOpenColours{{
    {"c8ffc8", {ChatChannel::Open, colours::kOpenGreen}},
    {"ffffff", {ChatChannel::Open, colours::kOpenWhite}},
}};
// The other markers are a blank and the colour tag.
constexpr std::array<MarkerColour, 7> kBlankColours{{
    {"f7b73c", {ChatChannel::Team, colours::kTeam}},
    {"94ddfa", {ChatChannel::Club, colours::kClub}},
    {"64ff64", {ChatChannel::Whis, colours::kWhis}},
    {"c896c8", {ChatChannel::Shout, colours::kShout}},
    {"ff64ff", {ChatChannel::Battle, colours::kBattle}},
    {"ff6464", {ChatChannel::System, colours::kSystemRed}},
    {"64ff80", {ChatChannel::System, colours::kSystemGreen}},
}};

bool startsAt(std::string_view text, std::size_t pos, std::string_view prefix) noexcept {
    return text.size() - pos >= prefix.size() &&
           std::memcmp(text.data() + pos, prefix.data(), prefix.size()) == 0;
}

// The colour whose tag starts at pos, if it is one of `colours`.
template <std::size_t N>
const MarkerColour* colourTagAt(std::string_view text, std::size_t pos,
                                const std::array<MarkerColour, N>& colours) noexcept {
    if (text.size() - pos < kColourTagBytes || !startsAt(text, pos, kColourTagStart) ||
        text[pos + kColourTagBytes - 2] != '"' || text[pos + kColourTagBytes - 1] != '>') {
        return nullptr;
    }
    const char* digits = text.data() + pos + kColourTagStart.size();
    for (const MarkerColour& colour : colours) {
        if (std::memcmp(digits, colour.digits.data(), kColourDigits) == 0) {
            return &colour;
        }
    }
    return nullptr;
}

// The marker whose '<' stands at `at`, if one starts there character-wise.
const ChannelMatch* markerAt(std::string_view raw, std::size_t at) noexcept {
    const char* text = raw.data();
    const std::size_t n = raw.size();
    if (const MarkerColour* colour = colourTagAt(raw, at, kBlankColours)) {
        const bool starts = at > 0 && text[at - 1] == ' ' && sjis::startsCharacter(raw, 0, at - 1);
        return starts ? &colour->match : nullptr;
    }
    if (!startsAt(raw, at, kFontClose)) {
        return nullptr;
    }
    const std::size_t tag = at + kFontClose.size();
    const MarkerColour* open = nullptr;
    if (tag < n && text[tag] == ' ') {
        open = colourTagAt(raw, tag + 1, kOpenColours);
    } else if ((open = colourTagAt(raw, tag, kOpenColours)) != nullptr) {
        const std::size_t blank = tag + kColourTagBytes;
        open = blank < n && text[blank] == ' ' ? open : nullptr;
    }
    return open != nullptr && sjis::startsCharacter(raw, 0, at) ? &open->match : nullptr;
}

bool isHeaderTextAt(std::string_view raw, std::size_t at) noexcept {
    return (startsAt(raw, at, markers::kHeaderBody) || startsAt(raw, at, markers::kHeaderTitle) ||
            startsAt(raw, at, markers::kHeaderDatePrefix) ||
            startsAt(raw, at, markers::kHeaderFace)) &&
           sjis::startsCharacter(raw, 0, at);
}

// Every marker and every header text holds a '<' at a fixed place, so the '<'
// bytes of the line are the only candidates, and they come in the order the
// markers start.
template <typename Candidate>
void forEachTagStart(std::string_view raw, Candidate&& candidate) noexcept {
    const char* text = raw.data();
    const std::size_t n = raw.size();
    for (std::size_t at = 0; at < n; ++at) {
        const void* hit = std::memchr(text + at, '<', n - at);
        if (hit == nullptr) {
            return;
        }
        at = static_cast<std::size_t>(static_cast<const char*>(hit) - text);
        if (!candidate(at)) {
            return;
        }
    }
}

}  // namespace

std::optional<ChannelMatch> ownMarker(std::string_view raw) noexcept {
    std::optional<ChannelMatch> own;
    forEachTagStart(raw, [&](std::size_t at) {
        if (const ChannelMatch* match = markerAt(raw, at)) {
            own = *match;
            return false;
        }
        return true;
    });
    return own;
}

LineMarkup scanLineMarkup(std::string_view raw) noexcept {
    LineMarkup markup;
    forEachTagStart(raw, [&](std::size_t at) {
        if (isHeaderTextAt(raw, at)) {
            markup.header = true;
            return false;
        }
        if (!markup.own) {
            if (const ChannelMatch* match = markerAt(raw, at)) {
                markup.own = *match;
            }
        }
        return true;
    });
    return markup;
}

const ParsedLine& LineParser::parse(std::string_view raw) {
    line_.raw = raw;
    line_.own = ownMarker(raw);
    line_.parts = displayParts(raw);
    display_.assign(line_.parts.stamp);
    display_.append(line_.parts.body);
    line_.display = display_;
    return line_;
}

bool isExpGain(std::string_view raw) noexcept {
    // " <font size="2" color="#ff64ff">" and "経験値が ", directly or after one
    // blank: the candidates are the Battle colour tags.
    const std::string_view tag = markers::kBattle.substr(1);
    const std::string_view word = markers::kGainWord;
    for (std::size_t at = raw.find(tag); at != std::string_view::npos; at = raw.find(tag, at + 1)) {
        if (at == 0 || raw[at - 1] != ' ' || !sjis::startsCharacter(raw, 0, at - 1)) {
            continue;
        }
        std::size_t after = at + tag.size();
        if (after < raw.size() && raw[after] == ' ' && startsAt(raw, after + 1, word)) {
            return true;
        }
        if (startsAt(raw, after, word)) {
            return true;
        }
    }
    return false;
}

bool isLevelUp(std::string_view raw) noexcept {
    return sjis::contains(raw, markers::kLevelUp);
}

std::optional<std::int64_t> parseDecimal(std::string_view text, bool skipLeadingBlanks) noexcept {
    std::size_t pos = 0;
    if (skipLeadingBlanks) {
        while (pos < text.size() && text[pos] == ' ') {
            ++pos;
        }
    }
    bool negative = false;
    if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) {
        negative = text[pos] == '-';
        ++pos;
    }
    if (pos == text.size()) {
        return std::nullopt;
    }
    // Accumulate negatively so that the minimum value parses without overflow.
    std::int64_t value = 0;
    constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
    for (; pos < text.size(); ++pos) {
        const char c = text[pos];
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        const int digit = c - '0';
        if (value < (kMin + digit) / 10) {
            return std::nullopt;
        }
        value = value * 10 - digit;
    }
    if (!negative) {
        if (value == kMin) {
            return std::nullopt;
        }
        value = -value;
    }
    return value;
}

std::optional<std::int64_t> gainAmount(std::string_view raw) noexcept {
    if (raw.size() <= kGainAmountOffset) {
        return std::nullopt;
    }
    const std::string_view from = raw.substr(kGainAmountOffset);
    const std::size_t end = sjis::find(from, markers::kGainEnd);
    return parseDecimal(from.substr(0, end), true);
}

std::optional<std::string_view> namedSpeaker(std::string_view body) noexcept {
    const std::size_t colon = sjis::find(body, " : ");
    return colon == sjis::npos ? std::nullopt : std::optional(body.substr(0, colon));
}

ChatLine ChatLine::fromLogLine(std::string_view line) {
    return fromRaw(removeEntities(removeCrLf(line)));
}

ChatLine ChatLine::fromRaw(std::string_view raw) {
    ChatLine out;
    out.raw = std::string(raw);
    out.display = displayText(out.raw);
    out.body = std::string(bodyOfDisplay(out.display));
    if (const auto match = ownMarker(out.raw)) {
        out.channel = match->channel;
        out.colour = match->colour;
        if (isChatChannel(match->channel)) {
            out.speaker = std::string(namedSpeaker(out.body).value_or(out.body));
        }
    }
    return out;
}

std::string dailyLogName(int year, int month, int day) {
    std::array<char, 40> buffer{};
    const int n = std::snprintf(buffer.data(), buffer.size(), "MHChatLog_%04d_%02d_%02d.html", year,
                                month, day);
    return std::string(buffer.data(), static_cast<std::size_t>(n));
}

}  // namespace ruv
