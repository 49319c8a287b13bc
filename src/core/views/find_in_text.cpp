#include "core/views/find_in_text.h"

#include "core/text/sjis.h"

namespace ruv {
namespace {

std::size_t toIndex(ByteOffset offset) {
    return static_cast<std::size_t>(offset.value);
}
ByteOffset toOffset(std::size_t index) {
    return ByteOffset{static_cast<std::int64_t>(index)};
}

// The first character boundary at or after index.
std::size_t boundaryAtOrAfter(std::string_view text, std::size_t index) {
    std::size_t pos = 0;
    while (pos < index && pos < text.size()) {
        pos += sjis::isLeadByte(text[pos]) ? 2 : 1;
    }
    return pos;
}

FindOutcome findDown(std::string_view text, std::string_view needle, TextSelection selection) {
    const ByteOffset from = selection.start + selection.length;
    const std::size_t start = boundaryAtOrAfter(text, toIndex(std::max(from, ByteOffset{0})));
    const std::size_t found = start <= text.size() ? sjis::find(text, needle, start) : sjis::npos;
    if (found == sjis::npos) {
        return {std::nullopt, from};
    }
    return {TextSelection{toOffset(found), toOffset(needle.size())}, toOffset(found)};
}

FindOutcome findUp(std::string_view text, std::string_view needle, TextSelection selection) {
    const ByteOffset p = selection.start;
    if (p.value <= 0) {
        return {std::nullopt, ByteOffset{0}};
    }
    ByteOffset caret = p - ByteOffset{1};
    if (!isCaretPosition(text, caret)) {
        caret = p - ByteOffset{2};
    }
    if (caret.value < 0) {
        caret = ByteOffset{0};
    }
    // Matches are taken left to right without overlapping; the last one that
    // starts at or before the caret wins.
    std::optional<std::size_t> last;
    const std::size_t limit = toIndex(caret);
    for (std::size_t pos = sjis::find(text, needle); pos != sjis::npos && pos <= limit;
         pos = sjis::find(text, needle, sjis::nextBoundary(text, pos, pos + needle.size()))) {
        last = pos;
    }
    if (!last) {
        return {std::nullopt, caret};
    }
    return {TextSelection{toOffset(*last), toOffset(needle.size())}, toOffset(*last)};
}

}  // namespace

bool isCaretPosition(std::string_view text, ByteOffset offset) {
    if (offset.value < 0 || toIndex(offset) > text.size()) {
        return false;
    }
    const std::size_t index = toIndex(offset);
    if (index > 0 && index < text.size() && text[index - 1] == '\r' && text[index] == '\n') {
        return false;
    }
    return boundaryAtOrAfter(text, index) == index;
}

FindOutcome findInText(std::string_view text, std::string_view needle, TextSelection selection,
                       FindDirection direction) {
    if (needle.empty()) {
        return {std::nullopt, selection.start};
    }
    return direction == FindDirection::Down ? findDown(text, needle, selection)
                                            : findUp(text, needle, selection);
}

}  // namespace ruv
