#pragma once
// The one text of a search result, listed alike by the window and by the
// command line: day, time, channel and text, separated by tabs.

#include <string>

#include "core/search/line_match.h"
#include "core/search/log_day.h"

namespace ruv {

// CP932: "yyyy-mm-dd<TAB>TIME<TAB>CHANNEL<TAB>TEXT", where TIME is the line's
// 17-byte time stamp without the blanks at its end, CHANNEL the channel's
// settings key (Open, Team, …) and TEXT the rest of the display text.
std::string searchResultLine(CivilDate day, const SearchHit& hit);

}  // namespace ruv
