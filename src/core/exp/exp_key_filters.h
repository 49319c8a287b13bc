#pragma once
// Which typed characters the EXP and correction fields accept. Rejected keys
// are swallowed; text an input method commits obeys the same rule; pasted
// text is not filtered.

#include <string>
#include <string_view>

namespace ruv {

inline constexpr char32_t kBackspaceKey = U'\b';

// ExpLabeledEdit01: backspace and "0" to "9".
constexpr bool acceptsExpKey(char32_t typed) noexcept {
    return typed == kBackspaceKey || (typed >= U'0' && typed <= U'9');
}

// HoseiLabeledEdit01: backspace, "-", "." and "0" to "9".
constexpr bool acceptsCorrectionKey(char32_t typed) noexcept {
    return acceptsExpKey(typed) || typed == U'-' || typed == U'.';
}

using KeyAcceptor = bool (*)(char32_t typed) noexcept;

// What typing the text key by key would leave: the characters the filter
// refuses are dropped, the others kept in order.
inline std::u32string acceptedCharacters(std::u32string_view typed, KeyAcceptor accepts) {
    std::u32string kept;
    for (const char32_t c : typed) {
        if (accepts(c)) {
            kept += c;
        }
    }
    return kept;
}

}  // namespace ruv
