#include "core/lines/line_cut.h"

#include <cstring>

namespace ruv {

std::string_view withoutLineEnd(std::string_view line) noexcept {
    if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
    }
    return line;
}

LineCut cutLine(std::string_view bytes, std::size_t from) noexcept {
    const void* feed = std::memchr(bytes.data() + from, '\n', bytes.size() - from);
    if (feed == nullptr) {
        return {withoutLineEnd(bytes.substr(from)), bytes.size(), false};
    }
    const auto at = static_cast<std::size_t>(static_cast<const char*>(feed) - bytes.data());
    return {withoutLineEnd(bytes.substr(from, at - from)), at + 1, true};
}

}  // namespace ruv
