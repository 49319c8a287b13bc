#pragma once
// The EXP correction: a percentage typed as decimal text, applied exactly.

#include <cstdint>
#include <optional>
#include <string_view>

namespace ruv {

// trunc(c × amount ÷ 100), computed exactly from the decimal text of c
// ("10", "-5", "2.25", ".5", "3."). An empty text counts as 0. Empty result
// when the text is not such a number or the result does not fit 64 bits.
std::optional<std::int64_t> correctionFor(std::string_view percentText, std::int64_t amount);

}  // namespace ruv
