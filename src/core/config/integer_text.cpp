#include "core/config/integer_text.h"

#include <charconv>

namespace ruv::config {

std::optional<int> parseInteger(std::string_view text) noexcept {
    std::string_view digits = text;
    if (!digits.empty() && digits.front() == '+') {
        digits.remove_prefix(1);
        if (!digits.empty() && digits.front() == '-') {
            return std::nullopt;
        }
    }
    int value = 0;
    const char* end = digits.data() + digits.size();
    const auto [stop, error] = std::from_chars(digits.data(), end, value);
    // from_chars accepts a leading "-" but needs a digit after it.
    if (error != std::errc{} || stop != end) {
        return std::nullopt;
    }
    return value;
}

std::string integerText(int value) {
    return std::to_string(value);
}

}  // namespace ruv::config
