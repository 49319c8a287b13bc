#pragma once
// Integers in settings files: written as plain decimal, "-" for negatives.

#include <optional>
#include <string>
#include <string_view>

namespace ruv::config {

// Accepts an optional "-" or "+" followed by one or more decimal digits
// (leading zeros allowed) within the range of int; anything else (blanks,
// hexadecimal, an empty text, overflow) is empty.
std::optional<int> parseInteger(std::string_view text) noexcept;

// Plain decimal without leading zeros or "+".
std::string integerText(int value);

}  // namespace ruv::config
