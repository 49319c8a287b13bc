#pragma once
// Why a search that ran to its end found nothing, when the query or the folder
// says so; a search that simply matched no line has no reason.

#include <optional>

#include "core/search/log_search.h"
#include "core/search/search_query.h"

namespace ruv {

enum class NoResultReason {
    EmptyText,      // nothing to look for
    NoChannel,      // no channel ticked
    ReversedRange,  // the first day comes after the last
    NoDailyLog,     // the folder holds no MHChatLog_yyyy_mm_dd.html at all
    NoDayInRange,   // daily logs there are, none of them in the range
    LeftOutByNg,    // lines matched, and the NG lists left every one out
};

// The first reason that holds, in the order above; none when the search found
// something, did not complete, or matched no line for no such reason.
std::optional<NoResultReason> noResultReason(const SearchQuery& query,
                                             const SearchSummary& summary);

// Whether the command line takes the reason for an error rather than for no
// match: the range or the folder is wrong, whatever text is sought.
bool isSearchError(NoResultReason reason);

}  // namespace ruv
