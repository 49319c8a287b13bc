#include "core/log/tidy_ng.h"

namespace ruv {

bool TidyNgRule::holdsBack(std::string_view raw, std::string_view display) {
    if (!options_.ngOnTidy || !route_.TabShown(ChatChannel::NG)) {
        return false;
    }
    if (route_.ngUsersApplied && matcher_.namesUser(raw, lists_.users)) {
        return true;
    }
    return route_.ngWordsApplied && !lists_.words.empty() &&
           matcher_.holdsWord(display, lists_.words);
}

}  // namespace ruv
