#pragma once
// The texts of a search result: the line listed alike by the window's コピー
// and by the command line (day, time, channel and text, separated by tabs),
// and the window's row under its day heading.

#include <string>

#include "core/search/line_match.h"
#include "core/search/log_day.h"
#include "core/search/search_channel_name.h"

namespace ruv {

// CP932: "yyyy-mm-dd<TAB>TIME<TAB>CHANNEL<TAB>TEXT", where TIME is the line's
// 17-byte time stamp without the blanks at its end and TEXT the rest of the
// display text.
std::string searchResultLine(CivilDate day, const SearchHit& hit,
                             ChannelNaming naming = ChannelNaming::SettingsKey);

// CP932: "CLOCK<TAB>CAPTION<TAB>TEXT", the row under its day's heading. CLOCK
// is the stamp's last blank-separated word without its brackets ("20:01:09"
// of "[12/07 20:01:09]"): the day is the heading's.
std::string searchResultRow(const SearchHit& hit);

}  // namespace ruv
