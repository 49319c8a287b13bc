#include "core/text/char_boundaries.h"

#include "core/text/sjis.h"

namespace ruv {

void CharBoundaries::reset(std::string_view text) {
    text_ = text;
    atBoundary_.assign(text.size(), 0);
    for (std::size_t pos = 0; pos < text.size(); pos += sjis::isLeadByte(text[pos]) ? 2 : 1) {
        atBoundary_[pos] = 1;
    }
}

std::size_t CharBoundaries::find(std::string_view needle, std::size_t from) const noexcept {
    if (needle.empty()) {
        return std::string_view::npos;
    }
    for (std::size_t pos = text_.find(needle, from); pos != std::string_view::npos;
         pos = text_.find(needle, pos + 1)) {
        if (atBoundary_[pos] != 0) {
            return pos;
        }
    }
    return std::string_view::npos;
}

}  // namespace ruv
