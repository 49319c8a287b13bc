// Character-wise search on CP932 text: sjis::find, sjis::rfind, CharBoundaries
// and the find dialog's presses agree with a naive search that walks the text
// character by character. A match never starts on a second byte and the
// matches of repeated presses never overlap.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/text/char_boundaries.h"
#include "core/text/sjis.h"
#include "core/views/find_in_text.h"
#include "fuzz_check.h"

namespace {

using namespace ruv;

std::vector<bool> boundaries(std::string_view text) {
    std::vector<bool> at(text.size() + 1, false);
    std::size_t pos = 0;
    while (pos < text.size()) {
        at[pos] = true;
        pos += sjis::isLeadByte(text[pos]) ? 2 : 1;
    }
    at[std::min(pos, text.size())] = true;
    return at;
}

std::size_t naiveFind(std::string_view text, std::string_view needle, std::size_t from,
                      const std::vector<bool>& at) {
    if (needle.empty()) {
        return sjis::npos;
    }
    for (std::size_t pos = from; pos + needle.size() <= text.size(); ++pos) {
        if (at[pos] && text.compare(pos, needle.size(), needle) == 0) {
            return pos;
        }
    }
    return sjis::npos;
}

// The matches taken left to right without overlapping.
std::vector<std::size_t> naiveMatches(std::string_view text, std::string_view needle,
                                      const std::vector<bool>& at) {
    std::vector<std::size_t> found;
    for (std::size_t pos = naiveFind(text, needle, 0, at); pos != sjis::npos;
         pos = naiveFind(text, needle, pos + needle.size(), at)) {
        found.push_back(pos);
    }
    return found;
}

std::size_t firstBoundaryFrom(std::size_t index, const std::vector<bool>& at) {
    while (index < at.size() && !at[index]) {
        ++index;
    }
    return index;
}

void checkMatch(std::string_view text, std::string_view needle, const FindOutcome& outcome,
                const std::vector<bool>& at) {
    if (!outcome.match) {
        return;
    }
    const auto start = static_cast<std::size_t>(outcome.match->start.value);
    FUZZ_CHECK(outcome.match->length.value == static_cast<std::int64_t>(needle.size()));
    FUZZ_CHECK(start + needle.size() <= text.size());
    FUZZ_CHECK(at[start]);
    FUZZ_CHECK(text.compare(start, needle.size(), needle) == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const std::string needle = input.ConsumeRandomLengthString(8);
    const auto from = input.ConsumeIntegralInRange<std::size_t>(0, 600);
    const auto selStart = input.ConsumeIntegralInRange<std::int64_t>(-4, 600);
    const auto selLength = input.ConsumeIntegralInRange<std::int64_t>(0, 16);
    const std::string text = input.ConsumeRemainingBytesAsString();
    const std::vector<bool> at = boundaries(text);

    // The library search from a boundary.
    const std::size_t start = firstBoundaryFrom(std::min(from, text.size()), at);
    FUZZ_CHECK(sjis::find(text, needle, start) == naiveFind(text, needle, start, at));
    CharBoundaries chars;
    chars.reset(text);
    FUZZ_CHECK(chars.find(needle, start) == naiveFind(text, needle, start, at));
    FUZZ_CHECK(sjis::contains(text, needle) == (naiveFind(text, needle, 0, at) != sjis::npos));

    const std::size_t last = sjis::rfind(text, needle);
    std::size_t naiveLast = sjis::npos;
    for (std::size_t pos = naiveFind(text, needle, 0, at); pos != sjis::npos;
         pos = naiveFind(text, needle, pos + 1, at)) {
        naiveLast = pos;
    }
    FUZZ_CHECK(last == naiveLast);

    // The find dialog takes one line of text: no line break in the needle.
    if (needle.find_first_of("\r\n") != std::string::npos) {
        return 0;
    }
    const std::vector<std::size_t> matches = naiveMatches(text, needle, at);

    // Down presses from the top walk the matches in order, never overlapping.
    TextSelection selection{ByteOffset{0}, ByteOffset{0}};
    std::vector<std::size_t> down;
    for (;;) {
        const FindOutcome outcome = findInText(text, needle, selection, FindDirection::Down);
        checkMatch(text, needle, outcome, at);
        if (!outcome.match) {
            break;
        }
        FUZZ_CHECK(down.empty() || outcome.match->start.value >=
                                       static_cast<std::int64_t>(down.back() + needle.size()));
        down.push_back(static_cast<std::size_t>(outcome.match->start.value));
        selection = *outcome.match;
        FUZZ_CHECK(down.size() <= text.size());
    }
    FUZZ_CHECK(down == matches);

    // Up presses from the end walk them back.
    selection = TextSelection{ByteOffset{static_cast<std::int64_t>(text.size())}, ByteOffset{0}};
    std::vector<std::size_t> up;
    for (;;) {
        const FindOutcome outcome = findInText(text, needle, selection, FindDirection::Up);
        checkMatch(text, needle, outcome, at);
        if (!outcome.match) {
            break;
        }
        up.insert(up.begin(), static_cast<std::size_t>(outcome.match->start.value));
        selection = *outcome.match;
        FUZZ_CHECK(up.size() <= text.size());
    }
    FUZZ_CHECK(up == matches);

    // One press from anywhere, even from a selection that is out of place.
    const TextSelection anywhere{ByteOffset{selStart}, ByteOffset{selLength}};
    const FindOutcome downOnce = findInText(text, needle, anywhere, FindDirection::Down);
    checkMatch(text, needle, downOnce, at);
    const FindOutcome upOnce = findInText(text, needle, anywhere, FindDirection::Up);
    checkMatch(text, needle, upOnce, at);
    if (upOnce.match) {
        FUZZ_CHECK(upOnce.match->start.value < selStart);
    }
    if (downOnce.match) {
        FUZZ_CHECK(downOnce.match->start.value >= selStart + selLength);
    }

    return 0;
}
