#pragma once
// Where a log line ends, one rule for every reader of a log (following,
// tidying, the search and the day view): a line ends at a line feed, and a
// carriage return right before it belongs to the line end, so a log written
// with CR LF reads exactly as the same log written with LF.

#include <cstddef>
#include <string_view>

namespace ruv {

struct LineCut {
    std::string_view text;  // the line without its line end
    std::size_t next = 0;   // where the next line starts
    bool ended = false;     // false: the bytes ran out before a line feed
};

// The line that starts at `from` in bytes (from <= bytes.size()).
LineCut cutLine(std::string_view bytes, std::size_t from) noexcept;

// A line's text without the carriage return of its line end, for a line that
// was cut at its line feed elsewhere.
std::string_view withoutLineEnd(std::string_view line) noexcept;

}  // namespace ruv
