#pragma once
// How a text can be spelled in CP932 bytes whatever its letter case: every
// CP932 character that matches a character when case is ignored, as RE2
// folds case, and every encoding CP932 gives it (a few characters have two or
// three). The forms come from the program's own conversion, so they are the
// bytes a log holds for the text the rules see.

#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace ruv {

// U+FFFD, which bytes CP932 cannot read become: no byte spells it.
inline constexpr std::string_view kUtf8Replacement = "\xEF\xBF\xBD";

// A text's characters (UTF-8), each as its own bytes.
std::vector<std::string> utf8Characters(std::string_view utf8);

// Characters (UTF-8) and their CP932 forms.
using CharacterForms = std::map<std::string, std::vector<std::string>>;

// Fills the forms of every character in the map; a character no CP932 text
// holds has none. False when RE2 cannot compare the characters.
bool fillCaseForms(CharacterForms& forms);

// Every CP932 spelling of a string (its characters, each with forms), or of
// its start when the whole has more than `most`; none when a character has
// no form, as no text holds the string. A single empty spelling: its first
// character alone has more than `most`.
std::vector<std::string> spellingsOf(const std::vector<std::string>& characters,
                                     const CharacterForms& forms, std::size_t most);

}  // namespace ruv
