#include "core/exp/exp_correction.h"

#include <string>
#include <vector>

namespace ruv {

namespace {

struct DecimalText {
    bool negative = false;
    std::string digits;  // integer and fractional digits together
    std::size_t fractionDigits = 0;
};

std::optional<DecimalText> parseDecimalText(std::string_view text) {
    DecimalText out;
    std::size_t pos = 0;
    if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) {
        out.negative = text[pos] == '-';
        ++pos;
    }
    bool seenPoint = false;
    for (; pos < text.size(); ++pos) {
        const char c = text[pos];
        if (c == '.' && !seenPoint) {
            seenPoint = true;
        } else if (c >= '0' && c <= '9') {
            out.digits.push_back(c);
            if (seenPoint) {
                ++out.fractionDigits;
            }
        } else {
            return std::nullopt;
        }
    }
    if (out.digits.empty()) {
        return std::nullopt;
    }
    return out;
}

// Decimal digits, least significant first.
std::vector<int> digitsOf(std::string_view text) {
    std::vector<int> out;
    for (auto it = text.rbegin(); it != text.rend(); ++it) {
        out.push_back(*it - '0');
    }
    return out;
}

std::vector<int> multiply(const std::vector<int>& a, const std::vector<int>& b) {
    std::vector<int> product(a.size() + b.size(), 0);
    for (std::size_t i = 0; i < a.size(); ++i) {
        int carry = 0;
        for (std::size_t j = 0; j < b.size() || carry != 0; ++j) {
            const int term = product[i + j] + carry + (j < b.size() ? a[i] * b[j] : 0);
            product[i + j] = term % 10;
            carry = term / 10;
        }
    }
    return product;
}

}  // namespace

std::optional<std::int64_t> correctionFor(std::string_view percentText, std::int64_t amount) {
    if (percentText.empty()) {
        return 0;
    }
    const auto c = parseDecimalText(percentText);
    if (!c) {
        return std::nullopt;
    }
    const bool amountNegative = amount < 0;
    // The magnitude of the minimum value still fits an unsigned 64-bit number.
    const std::uint64_t magnitude = amountNegative ? 0 - static_cast<std::uint64_t>(amount)
                                                   : static_cast<std::uint64_t>(amount);
    const std::vector<int> product =
        multiply(digitsOf(c->digits), digitsOf(std::to_string(magnitude)));

    // Dropping the lowest fractionDigits + 2 digits divides by 10^k × 100 and truncates.
    const std::size_t dropped = c->fractionDigits + 2;
    constexpr std::uint64_t kMax = static_cast<std::uint64_t>(INT64_MAX);
    std::uint64_t whole = 0;
    for (std::size_t i = product.size(); i > dropped; --i) {
        const auto digit = static_cast<std::uint64_t>(product[i - 1]);
        if (whole > (kMax - digit) / 10) {
            return std::nullopt;
        }
        whole = whole * 10 + digit;
    }
    const auto result = static_cast<std::int64_t>(whole);
    return c->negative != amountNegative ? -result : result;
}

}  // namespace ruv
