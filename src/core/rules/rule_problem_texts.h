#pragma once
// A rule's problem in the player's words: what kind of mistake the pattern
// holds, with the regular expression engine's own message kept after it in
// parentheses as a detail.

#include <string>
#include <string_view>

#include "core/text/fixed_text.h"

namespace re2 {
class RE2;
}

namespace ruv::rule_problem_texts {

inline const FixedText kPhraseNotSendable{
    "読み上げる言葉に、読み上げソフトへ送れない文字があります"};
inline const FixedText kPatternUnusable{"探す文字を使えません"};

// A pattern the engine refused (UTF-8).
std::string patternProblem(const re2::RE2& refused);

}  // namespace ruv::rule_problem_texts
