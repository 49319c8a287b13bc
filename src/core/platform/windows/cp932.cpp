// CP932 through Windows' own code page 932. Windows decides which character a
// code is and which code a character gets; this file decides, as the ICU
// build does, where characters begin and what broken bytes become.

#include "core/platform/windows/win32.h"

#include <algorithm>
#include <cstddef>
#include <optional>

#include "core/text/cp932.h"
#include "core/text/sjis.h"
#include "core/text/utf8.h"

namespace ruv::cp932 {
namespace {

constexpr UINT kCodePage = 932;
constexpr char16_t kReplacement = u'\uFFFD';
// Text goes to Windows in runs of about this many bytes, so that a run with
// one unassigned code costs a bounded number of one-character calls.
constexpr std::size_t kRunBytes = 4096;

wchar_t* wide(char16_t* units) {
    return reinterpret_cast<wchar_t*>(units);
}
const wchar_t* wide(const char16_t* units) {
    return reinterpret_cast<const wchar_t*>(units);
}

// Bytes that are one character each when converted alone: a lead byte with
// its trail byte, or one other byte.
std::size_t characterLength(std::string_view bytes, std::size_t pos) {
    if (sjis::isLeadByte(bytes[pos]) && pos + 1 < bytes.size() &&
        sjis::isTrailByte(static_cast<unsigned char>(bytes[pos + 1]))) {
        return 2;
    }
    return 1;
}

bool isBrokenLead(std::string_view bytes, std::size_t pos) {
    return sjis::isLeadByte(bytes[pos]) && characterLength(bytes, pos) == 1;
}

// Converts a run of whole characters, refusing codes Windows does not assign.
// The number of units written to out, 0 when the run holds such a code.
int decodeStrict(std::string_view run, char16_t* out, int capacity) {
    return MultiByteToWideChar(kCodePage, MB_ERR_INVALID_CHARS, run.data(),
                               static_cast<int>(run.size()), wide(out), capacity);
}

// The character of one lead/trail pair or one other byte; empty for a pair
// Windows does not assign. A single byte always has one: the strict check
// also refuses 0xA0 and 0xFD-0xFF, which Windows maps to private-use
// characters, yet those are the characters Windows gives them everywhere else
// (ANSI file names, text shown by ANSI programs), so they are taken as mapped.
std::optional<char16_t> decodeCharacter(std::string_view character) {
    char16_t unit[2] = {};
    if (decodeStrict(character, unit, 2) == 1) {
        return unit[0];
    }
    if (character.size() == 1 &&
        MultiByteToWideChar(kCodePage, 0, character.data(), 1, wide(unit), 2) == 1) {
        return unit[0];
    }
    return std::nullopt;
}

// Calls onCharacter(character) for each character of a run that holds no
// broken lead byte.
template <typename OnCharacter>
void forEachCharacter(std::string_view run, OnCharacter&& onCharacter) {
    for (std::size_t pos = 0; pos < run.size();) {
        const std::size_t length = characterLength(run, pos);
        onCharacter(run.substr(pos, length));
        pos += length;
    }
}

// Appends the characters of a run that holds no broken lead byte; a code
// Windows does not assign becomes one U+FFFD.
void decodeRun(std::string_view run, std::u16string& out) {
    if (run.empty()) {
        return;
    }
    const std::size_t start = out.size();
    out.resize(start + run.size());
    const int written = decodeStrict(run, out.data() + start, static_cast<int>(run.size()));
    if (written > 0) {
        out.resize(start + static_cast<std::size_t>(written));
        return;
    }
    out.resize(start);
    forEachCharacter(run, [&out](std::string_view character) {
        out.push_back(decodeCharacter(character).value_or(kReplacement));
    });
}

bool runIsWellFormed(std::string_view run) {
    if (run.empty() || decodeStrict(run, nullptr, 0) > 0) {
        return true;
    }
    bool wellFormed = true;
    forEachCharacter(run, [&wellFormed](std::string_view character) {
        wellFormed = wellFormed && decodeCharacter(character).has_value();
    });
    return wellFormed;
}

// Calls onRun(run) for each run of whole characters and onBroken() for each
// lead byte that has no trail byte after it.
template <typename OnRun, typename OnBroken>
void splitIntoRuns(std::string_view bytes, OnRun&& onRun, OnBroken&& onBroken) {
    std::size_t runStart = 0;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        if (isBrokenLead(bytes, pos)) {
            onRun(bytes.substr(runStart, pos - runStart));
            onBroken();
            ++pos;
            runStart = pos;
            continue;
        }
        pos += characterLength(bytes, pos);
        if (pos - runStart >= kRunBytes) {
            onRun(bytes.substr(runStart, pos - runStart));
            runStart = pos;
        }
    }
    onRun(bytes.substr(runStart, pos - runStart));
}

// Converts a run of units; empty when a unit has no code of its own in CP932
// (Windows would write a best fit or the default character instead).
bool encodeRun(std::u16string_view run, std::string& out) {
    if (run.empty()) {
        return true;
    }
    const std::size_t start = out.size();
    out.resize(start + run.size() * 2);
    BOOL usedDefault = FALSE;
    const int written = WideCharToMultiByte(
        kCodePage, WC_NO_BEST_FIT_CHARS, wide(run.data()), static_cast<int>(run.size()),
        out.data() + start, static_cast<int>(run.size() * 2), nullptr, &usedDefault);
    if (written <= 0 || usedDefault) {
        return false;
    }
    out.resize(start + static_cast<std::size_t>(written));
    return true;
}

}  // namespace

std::u16string toUtf16(std::string_view bytes) {
    std::u16string out;
    out.reserve(bytes.size());
    splitIntoRuns(
        bytes, [&out](std::string_view run) { decodeRun(run, out); },
        [&out] { out.push_back(kReplacement); });
    return out;
}

void toUtf8(std::string_view bytes, std::string& out) {
    const std::u16string units = toUtf16(bytes);
    out.clear();
    out.reserve(units.size() * 3);
    for (const char16_t unit : units) {
        utf8::appendUnit(unit, out);
    }
}

std::string toUtf8(std::string_view bytes) {
    std::string out;
    toUtf8(bytes, out);
    return out;
}

bool isWellFormed(std::string_view bytes) {
    bool wellFormed = true;
    splitIntoRuns(
        bytes,
        [&wellFormed](std::string_view run) { wellFormed = wellFormed && runIsWellFormed(run); },
        [&wellFormed] { wellFormed = false; });
    return wellFormed;
}

std::optional<std::string> fromUtf16(std::u16string_view text) {
    std::string out;
    out.reserve(text.size() * 2);
    while (!text.empty()) {
        // A surrogate pair split between runs is refused as it would be whole.
        const std::u16string_view run = text.substr(0, std::min(text.size(), kRunBytes));
        if (!encodeRun(run, out)) {
            return std::nullopt;
        }
        text.remove_prefix(run.size());
    }
    return out;
}

std::optional<std::string> fromUtf8(std::string_view text) {
    std::u16string units;
    units.reserve(text.size());
    if (!utf8::forEachBmpUnit(text, [&units](char16_t unit) {
            units.push_back(unit);
            return true;
        })) {
        return std::nullopt;
    }
    return fromUtf16(units);
}

}  // namespace ruv::cp932
