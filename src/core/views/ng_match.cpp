#include "core/views/ng_match.h"

namespace ruv {
namespace {

constexpr std::string_view kTagEnd = "\">";
constexpr std::string_view kNameEnd = " : ";

bool isNameAt(std::string_view rest, std::string_view name) {
    if (!name.empty() && (rest.empty() || rest.front() != name.front())) {
        return false;  // the common case, without a call to memcmp
    }
    return rest.starts_with(name) && rest.substr(name.size()).starts_with(kNameEnd);
}

}  // namespace

bool NgMatcher::namesUser(std::string_view raw, const std::vector<std::string>& users) {
    if (users.empty()) {
        return false;
    }
    chars_.reset(raw);
    tagEnds_.clear();
    for (std::size_t pos = chars_.find(kTagEnd); pos != std::string_view::npos;
         pos = chars_.find(kTagEnd, pos + kTagEnd.size())) {
        tagEnds_.push_back(pos + kTagEnd.size());
    }
    for (const std::string& user : users) {
        for (std::size_t end : tagEnds_) {
            const std::string_view rest = raw.substr(end);
            if (isNameAt(rest, user) || (rest.starts_with(' ') && isNameAt(rest.substr(1), user))) {
                return true;
            }
        }
    }
    return false;
}

bool NgMatcher::holdsWord(std::string_view display, const std::vector<std::string>& words) {
    if (words.empty()) {
        return false;
    }
    chars_.reset(display);
    for (const std::string& word : words) {
        if (chars_.contains(word)) {
            return true;
        }
    }
    return false;
}

}  // namespace ruv
