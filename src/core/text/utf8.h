#pragma once
// UTF-8 for the CP932 converters: only Basic Multilingual Plane characters
// matter, since CP932 holds nothing beyond it.

#include <string>
#include <string_view>

namespace ruv::utf8 {

// Appends the UTF-8 form of a BMP unit that is not a surrogate.
inline void appendUnit(char16_t unit, std::string& out) {
    if (unit < 0x80) {
        out.push_back(static_cast<char>(unit));
    } else if (unit < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (unit >> 6)));
        out.push_back(static_cast<char>(0x80 | (unit & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xE0 | (unit >> 12)));
        out.push_back(static_cast<char>(0x80 | ((unit >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (unit & 0x3F)));
    }
}

// Calls emit(unit) for every character of text, which must be well-formed
// UTF-8 of BMP characters. False, stopping early, for ill-formed text
// (overlong forms, encoded surrogates, truncated sequences), for characters
// beyond the BMP, and when emit returns false.
template <typename Emit>
bool forEachBmpUnit(std::string_view text, Emit&& emit) {
    const std::size_t size = text.size();
    auto at = [&text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    auto inRange = [](unsigned char byte, unsigned char low, unsigned char high) {
        return byte >= low && byte <= high;
    };
    std::size_t pos = 0;
    while (pos < size) {
        const unsigned char lead = at(pos);
        char16_t unit = 0;
        if (lead < 0x80) {
            unit = lead;
            ++pos;
        } else if (inRange(lead, 0xC2, 0xDF)) {
            if (pos + 1 >= size || !inRange(at(pos + 1), 0x80, 0xBF)) {
                return false;
            }
            unit = static_cast<char16_t>((lead & 0x1Fu) << 6 | (at(pos + 1) & 0x3Fu));
            pos += 2;
        } else if (inRange(lead, 0xE0, 0xEF)) {
            // E0 needs A0-BF (no overlong forms), ED needs 80-9F (no surrogates).
            const unsigned char low = lead == 0xE0 ? 0xA0 : 0x80;
            const unsigned char high = lead == 0xED ? 0x9F : 0xBF;
            if (pos + 2 >= size || !inRange(at(pos + 1), low, high) ||
                !inRange(at(pos + 2), 0x80, 0xBF)) {
                return false;
            }
            unit = static_cast<char16_t>((lead & 0x0Fu) << 12 | (at(pos + 1) & 0x3Fu) << 6 |
                                         (at(pos + 2) & 0x3Fu));
            pos += 3;
        } else {
            // C0, C1, F5-FF never occur; F0-F4 start characters beyond the BMP.
            return false;
        }
        if (!emit(unit)) {
            return false;
        }
    }
    return true;
}

}  // namespace ruv::utf8
