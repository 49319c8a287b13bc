#include "core/lines/unreadable_lines.h"

#include <functional>

#include "core/lines/chat_format.h"
#include "core/text/sjis.h"

namespace ruv {

namespace {

// Characters of the body an excerpt keeps.
constexpr std::size_t kExcerptBodyCharacters = 24;
// Beyond this many named lines the record starts afresh: a log of nothing but
// broken lines must not grow it without end.
constexpr std::size_t kMostNamed = 100'000;

}  // namespace

std::string lineExcerpt(std::string_view display) {
    const std::string_view stamp = display.substr(0, kTimeStampBytes);
    const std::string_view body = bodyOfDisplay(display);
    const std::size_t kept = sjis::prefixForUtf16Length(body, kExcerptBodyCharacters);
    std::string out(stamp);
    out += ' ';
    out.append(body.substr(0, kept));
    // Bytes below 0x20 are never the second byte of a character.
    for (char& byte : out) {
        if (static_cast<unsigned char>(byte) < 0x20) {
            byte = ' ';
        }
    }
    if (kept < body.size()) {
        out += kExcerptCut;
    }
    return out;
}

void UnreadableLines::gainNotCounted(std::string_view display) {
    if (named_.size() >= kMostNamed) {
        named_.clear();
    }
    if (!named_.insert(std::hash<std::string_view>{}(display)).second) {
        return;
    }
    std::string line(kUncountedGainText);
    line += ' ';
    line += lineExcerpt(display);
    errors_.append(line);
}

}  // namespace ruv
