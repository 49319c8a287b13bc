#pragma once
// One day's log as a search result shows it: every line with a channel of its
// own, in file order and in its colour, and where the result's hit stands.

#include <cstddef>
#include <optional>
#include <string_view>

#include "core/search/search_query.h"
#include "core/text/units.h"
#include "core/views/view_lines.h"

namespace ruv {

struct DayLineHit {
    std::size_t line = 0;  // index in the day's lines
    ByteOffset start;      // where the text stands in that line
};

// bytes: the day's log as read from its file. Appends the display text of
// every line whose own marker gives it a channel to lines, and returns where
// the query's text stands on the line that starts at lineStart in the file;
// empty when that line is not shown or no longer matches the query.
std::optional<DayLineHit> fillDayLines(std::string_view bytes, const SearchQuery& query,
                                       ByteOffset lineStart, ViewLines& lines);

}  // namespace ruv
