#pragma once
// Which typed characters the EXP and correction fields accept. Rejected keys
// are swallowed; pasted text is not filtered.

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

}  // namespace ruv
