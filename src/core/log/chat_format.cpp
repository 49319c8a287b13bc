#include "core/log/chat_format.h"

#include <array>
#include <cstdio>
#include <limits>

#include "core/text/sjis.h"

namespace ruv {

std::string_view settingsKey(ChatChannel channel) noexcept {
    switch (channel) {
        case ChatChannel::Normal:
            return "Normal";
        case ChatChannel::Open:
            return "Open";
        case ChatChannel::Team:
            return "Team";
        case ChatChannel::Club:
            return "Club";
        case ChatChannel::Whis:
            return "Whis";
        case ChatChannel::Shout:
            return "Shout";
        case ChatChannel::Original:
            return "Original";
        case ChatChannel::NG:
            return "NG";
        case ChatChannel::Battle:
            return "Battle";
        case ChatChannel::System:
            return "System";
        case ChatChannel::ExpMonitor:
            return "ExpMonitor";
    }
    return {};
}

std::string colourText(Colour colour) {
    std::array<char, 8> buffer{};
    std::snprintf(buffer.data(), buffer.size(), "#%06x", colour.rgb & 0xffffffu);
    return std::string(buffer.data(), 7);
}

std::string removeEntities(std::string_view line) {
    return sjis::replaceAll(sjis::replaceAll(line, "&nbsp ", ""), "&nbsp", "");
}

std::string removeCrLf(std::string_view line) {
    return sjis::replaceAll(line, "\r\n", "");
}

std::string displayText(std::string_view raw) {
    std::string_view rest = raw.substr(std::min(raw.size(), kMarkerAndSeparatorBytes));
    std::string out;
    out.reserve(rest.size());
    const std::size_t stamp = std::min(rest.size(), kTimeStampBytes);
    out.append(rest.substr(0, stamp));
    rest.remove_prefix(stamp);
    rest.remove_prefix(std::min(rest.size(), kTagBlockBytes));
    out.append(rest);
    if (out.size() >= kLineCloseBytes) {
        out.resize(out.size() - kLineCloseBytes);
    }
    return out;
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

std::optional<ChannelMatch> matchChannel(std::string_view raw) noexcept {
    if (containsOpenGreen(raw)) {
        return ChannelMatch{ChatChannel::Open, colours::kOpenGreen};
    }
    if (containsOpenWhite(raw)) {
        return ChannelMatch{ChatChannel::Open, colours::kOpenWhite};
    }
    struct Single {
        std::string_view marker;
        ChatChannel channel;
        Colour colour;
    };
    static constexpr std::array<Single, 7> kSingles{{
        {markers::kTeam, ChatChannel::Team, colours::kTeam},
        {markers::kClub, ChatChannel::Club, colours::kClub},
        {markers::kWhis, ChatChannel::Whis, colours::kWhis},
        {markers::kShout, ChatChannel::Shout, colours::kShout},
        {markers::kBattle, ChatChannel::Battle, colours::kBattle},
        {markers::kSystemRed, ChatChannel::System, colours::kSystemRed},
        {markers::kSystemGreen, ChatChannel::System, colours::kSystemGreen},
    }};
    for (const Single& single : kSingles) {
        if (sjis::contains(raw, single.marker)) {
            return ChannelMatch{single.channel, single.colour};
        }
    }
    return std::nullopt;
}

bool isExpGain(std::string_view raw) noexcept {
    return sjis::contains(raw, markers::kGainBlank) || sjis::contains(raw, markers::kGainNoBlank);
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

ChatLine ChatLine::fromLogLine(std::string_view line) {
    return fromRaw(removeEntities(removeCrLf(line)));
}

ChatLine ChatLine::fromRaw(std::string_view raw) {
    ChatLine out;
    out.raw = std::string(raw);
    out.display = displayText(out.raw);
    out.body = std::string(bodyOfDisplay(out.display));
    if (const auto match = matchChannel(out.raw)) {
        out.channel = match->channel;
        out.colour = match->colour;
        const bool chat =
            match->channel != ChatChannel::Battle && match->channel != ChatChannel::System;
        if (chat) {
            const std::size_t colon = sjis::find(out.body, " : ");
            out.speaker = out.body.substr(0, colon == sjis::npos ? out.body.size() : colon);
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
