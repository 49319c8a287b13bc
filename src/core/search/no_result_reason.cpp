#include "core/search/no_result_reason.h"

#include <algorithm>

namespace ruv {

std::optional<NoResultReason> noResultReason(const SearchQuery& query,
                                             const SearchSummary& summary) {
    if (summary.end != SearchEnd::Completed || summary.matches > 0) {
        return std::nullopt;
    }
    if (query.text.empty()) {
        return NoResultReason::EmptyText;
    }
    if (std::ranges::none_of(SearchChannels::kPickable,
                             [&](ChatChannel channel) { return query.channels.ticked(channel); })) {
        return NoResultReason::NoChannel;
    }
    if (query.from && query.to && *query.from > *query.to) {
        return NoResultReason::ReversedRange;
    }
    if (summary.dailyLogsInFolder == 0) {
        return NoResultReason::NoDailyLog;
    }
    if (summary.daysRead + summary.daysSkipped == 0) {
        return NoResultReason::NoDayInRange;
    }
    if (summary.linesLeftOutByNg > 0) {
        return NoResultReason::LeftOutByNg;
    }
    return std::nullopt;
}

bool isSearchError(NoResultReason reason) {
    return reason == NoResultReason::ReversedRange || reason == NoResultReason::NoDailyLog;
}

}  // namespace ruv
