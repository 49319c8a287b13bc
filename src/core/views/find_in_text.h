#pragma once
// One press of the find dialog's button over a view's text (CP932 bytes, CR LF
// between lines): the next match down from the selection's end, or the last
// match up to the caret before the selection's start.

#include <optional>
#include <string_view>

#include "core/text/units.h"

namespace ruv {

enum class FindDirection { Up, Down };

struct TextSelection {
    ByteOffset start;
    ByteOffset length;
};

struct FindOutcome {
    // The match to select; empty when the search has ended.
    std::optional<TextSelection> match;
    // Where the caret stays when nothing matched (upward searches move it).
    ByteOffset caret;

    // What the view selects next: the match; after a miss upward, the caret
    // alone; after a miss downward nothing changes (empty).
    std::optional<TextSelection> selectionAfter(FindDirection direction) const {
        if (match || direction == FindDirection::Down) {
            return match;
        }
        return TextSelection{caret, ByteOffset{0}};
    }
    // Nothing matched: the user is told the search has ended.
    bool ended() const noexcept { return !match; }
};

FindOutcome findInText(std::string_view text, std::string_view needle, TextSelection selection,
                       FindDirection direction);

// True when a caret may stand at offset: not inside a CR LF pair, not on the
// second byte of a double-byte character, not past the end.
bool isCaretPosition(std::string_view text, ByteOffset offset);

}  // namespace ruv
