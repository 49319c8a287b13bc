#include "core/log/search_ng_filter.h"

namespace ruv {

NgSearchFilter ngFilterOf(const RouteSettings& settings, NgLists lists) {
    NgSearchFilter filter;
    const bool tabShown = settings.TabShown(ChatChannel::NG);
    filter.usersApplied = tabShown && settings.ngUsersApplied;
    filter.wordsApplied = tabShown && settings.ngWordsApplied;
    filter.lists = std::move(lists);
    return filter;
}

}  // namespace ruv
