#include "core/rules/timer_duration.h"

#include <array>
#include <cstdio>
#include <vector>

namespace ruv {

namespace {

constexpr std::string_view kFullWidthDigitPrefix = "\xEF\xBC";  // U+FF10..U+FF19: EF BC 90..99
constexpr std::string_view kFullWidthColon = "\xEF\xBC\x9A";    // ：
constexpr std::string_view kFullWidthSpace = "\xE3\x80\x80";

struct Unit {
    std::string_view name;
    std::int64_t seconds;
};

constexpr std::array<Unit, 3> kUnits{{{"時間", 3600}, {"分", 60}, {"秒", 1}}};

// The text with full-width digits and colons made ASCII and blanks removed.
std::string narrowed(std::string_view text) {
    std::string out;
    std::size_t i = 0;
    while (i < text.size()) {
        const std::string_view rest = text.substr(i);
        if (rest.starts_with(kFullWidthDigitPrefix) && rest.size() >= 3 &&
            static_cast<unsigned char>(rest[2]) >= 0x90 &&
            static_cast<unsigned char>(rest[2]) <= 0x99) {
            out += static_cast<char>('0' + (static_cast<unsigned char>(rest[2]) - 0x90));
            i += 3;
        } else if (rest.starts_with(kFullWidthColon)) {
            out += ':';
            i += kFullWidthColon.size();
        } else if (rest.starts_with(kFullWidthSpace)) {
            i += kFullWidthSpace.size();
        } else {
            if (rest[0] != ' ' && rest[0] != '\t') {
                out += rest[0];
            }
            ++i;
        }
    }
    return out;
}

// Digits at the front of text, consumed; empty when none or too many to matter.
std::optional<std::int64_t> takeNumber(std::string_view& text, bool& tooLong) {
    std::size_t n = 0;
    std::int64_t value = 0;
    while (n < text.size() && text[n] >= '0' && text[n] <= '9') {
        if (value > kLongestTimerSeconds) {
            tooLong = true;  // stays too long however it goes on
        } else {
            value = value * 10 + (text[n] - '0');
        }
        ++n;
    }
    if (n == 0) {
        return std::nullopt;
    }
    text.remove_prefix(n);
    return value;
}

DurationReading judged(std::int64_t seconds, bool tooLong) {
    if (tooLong || seconds > kLongestTimerSeconds) {
        return {0, DurationFault::TooLong};
    }
    if (seconds <= 0) {
        return {0, DurationFault::NotADuration};
    }
    return {seconds, DurationFault::None};
}

constexpr DurationReading kNotADuration{0, DurationFault::NotADuration};

DurationReading readClock(std::string_view text) {
    std::vector<std::int64_t> parts;
    bool tooLong = false;
    while (true) {
        const std::optional<std::int64_t> part = takeNumber(text, tooLong);
        if (!part) {
            return kNotADuration;
        }
        parts.push_back(*part);
        if (text.empty()) {
            break;
        }
        if (text[0] != ':' || parts.size() == 3) {
            return kNotADuration;
        }
        text.remove_prefix(1);
    }
    std::int64_t seconds = 0;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0 && parts[i] > 59) {
            return kNotADuration;
        }
        seconds = seconds * 60 + parts[i];
    }
    return judged(seconds, tooLong);
}

DurationReading readUnits(std::string_view text) {
    std::int64_t seconds = 0;
    bool tooLong = false;
    while (!text.empty()) {
        const std::optional<std::int64_t> number = takeNumber(text, tooLong);
        if (!number) {
            return kNotADuration;
        }
        const Unit* unit = nullptr;
        for (const Unit& candidate : kUnits) {
            if (text.starts_with(candidate.name)) {
                unit = &candidate;
            }
        }
        if (unit == nullptr) {
            return kNotADuration;
        }
        text.remove_prefix(unit->name.size());
        if (*number > kLongestTimerSeconds) {
            tooLong = true;
        } else {
            seconds += *number * unit->seconds;
        }
    }
    return judged(seconds, tooLong);
}

}  // namespace

DurationReading readDuration(std::string_view utf8) {
    const std::string text = narrowed(utf8);
    if (text.empty()) {
        return kNotADuration;
    }
    const bool plain = text.find_first_not_of("0123456789:") == std::string::npos;
    return plain ? readClock(text) : readUnits(text);
}

std::string durationText(std::int64_t seconds) {
    std::array<char, 32> buffer{};
    const int n = std::snprintf(
        buffer.data(), buffer.size(), "%lld:%02lld:%02lld", static_cast<long long>(seconds / 3600),
        static_cast<long long>(seconds / 60 % 60), static_cast<long long>(seconds % 60));
    return std::string(buffer.data(), static_cast<std::size_t>(n > 0 ? n : 0));
}

}  // namespace ruv
