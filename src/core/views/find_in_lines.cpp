#include "core/views/find_in_lines.h"

#include <algorithm>
#include <functional>
#include <iterator>
#include <optional>

#include "core/text/sjis.h"

namespace ruv {
namespace {

constexpr std::size_t npos = std::string_view::npos;

ByteOffset toOffset(std::size_t index) {
    return ByteOffset{static_cast<std::int64_t>(index)};
}
std::size_t toIndex(ByteOffset offset) {
    return static_cast<std::size_t>(offset.value);
}

// The first character boundary at or after column, walking line from from (a
// boundary). May pass the line's end when it ends with a lone lead byte.
std::size_t boundaryAtOrAfter(std::string_view line, std::size_t column, std::size_t from = 0) {
    std::size_t pos = from;
    while (pos < column && pos < line.size()) {
        pos += sjis::isLeadByte(line[pos]) ? 2 : 1;
    }
    return pos;
}

// Positions in a store: whole-text offsets (CR LF counted) and positions in
// LineStore::bytes() (no line breaks).
class StoreText {
  public:
    explicit StoreText(const LineStore& store) : store_(store), bytes_(store.bytes()) {}

    std::size_t lineCount() const { return store_.size(); }
    std::string_view line(std::size_t index) const { return store_.line(index); }
    std::size_t bytesStart(std::size_t index) const { return store_.bytesStart(index); }
    std::size_t bytesEnd(std::size_t index) const {
        return index + 1 < store_.size() ? store_.bytesStart(index + 1) : bytes_.size();
    }
    // The line holding a position of bytes().
    std::size_t lineOfBytes(std::size_t position) const {
        // The first line starting after position, by halving.
        std::size_t low = 0;
        std::size_t high = store_.size();
        while (low < high) {
            const std::size_t middle = low + (high - low) / 2;
            if (store_.bytesStart(middle) <= position) {
                low = middle + 1;
            } else {
                high = middle;
            }
        }
        return low == 0 ? 0 : low - 1;
    }
    ByteOffset textOffset(std::size_t line, std::size_t column) const {
        return store_.lineStart(line) + toOffset(column);
    }
    // The line holding a text offset and the column in it (past the line's
    // length inside its line break).
    std::pair<std::size_t, std::size_t> lineAndColumn(ByteOffset offset) const {
        const std::size_t index = store_.lineAt(offset);
        return {index, toIndex(offset - store_.lineStart(index))};
    }
    bool isCaretPosition(ByteOffset offset) const {
        if (offset.value < 0 || offset > store_.textLength()) {
            return false;
        }
        if (store_.empty()) {
            return offset.value == 0;
        }
        const auto [index, column] = lineAndColumn(offset);
        const std::string_view text = line(index);
        return column <= text.size() && boundaryAtOrAfter(text, column) == column;
    }
    std::string_view bytes() const { return bytes_; }

  private:
    const LineStore& store_;
    std::string_view bytes_;
};

// How common a byte is in chat text: ASCII letters, digits, blanks and the
// lead bytes of kana and symbols (0x81-0x83) are everywhere; kanji lead bytes
// and most trail bytes are rarer. Lower is rarer.
int commonness(unsigned char byte) {
    if ((byte >= 0x81 && byte <= 0x83) || byte == ' ' || (byte >= 'a' && byte <= 'z') ||
        (byte >= '0' && byte <= '9')) {
        return 2;
    }
    if (byte < 0x80) {
        return 1;
    }
    return 0;
}

// Byte-level occurrences of a needle in a range of bytes(), forwards or
// backwards; which of them start on a character boundary is decided by caller.
class Occurrences {
  public:
    explicit Occurrences(std::string_view needle)
        : needle_(needle), backward_(needle.rbegin(), needle.rend()) {
        // Forward search runs memchr on the needle's rarest byte, then compares.
        for (std::size_t i = 1; i < needle.size(); ++i) {
            if (commonness(static_cast<unsigned char>(needle[i])) <
                commonness(static_cast<unsigned char>(needle[anchor_]))) {
                anchor_ = i;
            }
        }
    }

    // The first occurrence starting at or after from.
    std::size_t first(std::string_view bytes, std::size_t from) const {
        if (from > bytes.size() || bytes.size() - from < needle_.size()) {
            return npos;
        }
        const std::size_t last = bytes.size() - needle_.size();  // last possible start
        for (std::size_t start = from; start <= last;) {
            const std::size_t hit = bytes.find(needle_[anchor_], start + anchor_);
            if (hit == npos || hit - anchor_ > last) {
                return npos;
            }
            const std::size_t candidate = hit - anchor_;
            if (bytes.compare(candidate, needle_.size(), needle_) == 0) {
                return candidate;
            }
            start = candidate + 1;
        }
        return npos;
    }
    // The last occurrence lying wholly before end.
    std::size_t last(std::string_view bytes, std::size_t end) const {
        const std::string_view head = bytes.substr(0, end);
        const auto from = head.rbegin();
        const auto hit = std::search(from, head.rend(), backward_);
        if (hit == head.rend()) {
            return npos;
        }
        return end - static_cast<std::size_t>(hit - from) - needle_.size();
    }

  private:
    using BackwardSearcher =
        std::boyer_moore_horspool_searcher<std::string_view::const_reverse_iterator>;

    std::string_view needle_;
    std::size_t anchor_ = 0;
    BackwardSearcher backward_;
};

FindOutcome findDown(const StoreText& text, std::string_view needle, TextSelection selection) {
    const ByteOffset from = selection.start + selection.length;
    if (text.lineCount() == 0 || from.value < 0) {
        return {std::nullopt, from};
    }
    // A needle without line breaks starts on a boundary inside one line.
    auto [line, column] = text.lineAndColumn(from);
    column = boundaryAtOrAfter(text.line(line), column);
    if (column >= text.line(line).size()) {
        if (line + 1 == text.lineCount()) {
            return {std::nullopt, from};
        }
        ++line;
        column = 0;
    }

    const Occurrences occurrences(needle);
    const std::string_view bytes = text.bytes();
    std::size_t walkLine = line;
    std::size_t walk = text.bytesStart(line) + column;  // a boundary of walkLine
    for (std::size_t at = walk;;) {
        const std::size_t hit = occurrences.first(bytes, at);
        if (hit == npos) {
            return {std::nullopt, from};
        }
        at = hit + 1;
        if (hit >= text.bytesEnd(walkLine)) {
            walkLine = text.lineOfBytes(hit);
            walk = text.bytesStart(walkLine);
        }
        if (hit + needle.size() > text.bytesEnd(walkLine)) {
            continue;  // would run over the line break
        }
        while (walk < hit) {
            walk += sjis::isLeadByte(bytes[walk]) ? 2 : 1;
        }
        if (walk == hit) {
            const ByteOffset match = text.textOffset(walkLine, hit - text.bytesStart(walkLine));
            return {TextSelection{match, toOffset(needle.size())}, match};
        }
    }
}

// The last of the matches taken left to right without overlapping in a line
// that starts at or before limit.
std::optional<std::size_t> lastChainedMatch(std::string_view line, std::string_view needle,
                                            std::size_t limit) {
    std::optional<std::size_t> last;
    for (std::size_t pos = sjis::find(line, needle); pos != npos && pos <= limit;
         pos = sjis::find(line, needle, sjis::nextBoundary(line, pos, pos + needle.size()))) {
        last = pos;
    }
    return last;
}

FindOutcome findUp(const StoreText& text, std::string_view needle, TextSelection selection) {
    const ByteOffset p = selection.start;
    if (p.value <= 0) {
        return {std::nullopt, ByteOffset{0}};
    }
    ByteOffset caret = p - ByteOffset{1};
    if (!text.isCaretPosition(caret)) {
        caret = p - ByteOffset{2};
    }
    caret = std::max(caret, ByteOffset{0});
    if (text.lineCount() == 0) {
        return {std::nullopt, caret};
    }

    // Matches never span a line break, so the left-to-right chain starts
    // afresh in every line: the caret's line first, then the nearest earlier
    // line holding the needle's bytes.
    const auto [caretLine, caretColumn] = text.lineAndColumn(caret);
    auto found = lastChainedMatch(text.line(caretLine), needle, caretColumn);
    std::size_t line = caretLine;
    const Occurrences occurrences(needle);
    while (!found) {
        const std::size_t hit = occurrences.last(text.bytes(), text.bytesStart(line));
        if (hit == npos) {
            return {std::nullopt, caret};
        }
        line = text.lineOfBytes(hit);
        found = lastChainedMatch(text.line(line), needle, npos);
    }
    const ByteOffset match = text.textOffset(line, *found);
    return {TextSelection{match, toOffset(needle.size())}, match};
}

}  // namespace

FindOutcome findInLines(const LineStore& store, std::string_view needle, TextSelection selection,
                        FindDirection direction) {
    if (needle.empty()) {
        return {std::nullopt, selection.start};
    }
    if (needle.find_first_of("\r\n") != npos) {
        return findInText(store.text(), needle, selection, direction);
    }
    const StoreText text(store);
    return direction == FindDirection::Down ? findDown(text, needle, selection)
                                            : findUp(text, needle, selection);
}

}  // namespace ruv
