#include "core/rules/cp932_spelling.h"

#include <re2/re2.h>
#include <re2/set.h>

#include <unordered_map>

#include "core/rules/letter_case.h"
#include "core/text/cp932.h"
#include "core/text/sjis.h"

namespace ruv {

namespace {

// One character of CP932: its bytes and its UTF-8 form.
struct Cp932Character {
    std::string bytes;
    std::string utf8;
};

// Every byte or byte pair that CP932 reads as one character, as the log's
// text is converted. '\n' never is part of a line's text.
std::vector<Cp932Character> everyCp932Character() {
    std::vector<std::string> candidates;
    for (unsigned byte = 0; byte <= 0xFF; ++byte) {
        if (byte != '\n' && !sjis::isLeadByte(static_cast<unsigned char>(byte))) {
            candidates.emplace_back(1, static_cast<char>(byte));
        }
    }
    for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
        if (!sjis::isLeadByte(static_cast<unsigned char>(lead))) {
            continue;
        }
        for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
            if (sjis::isTrailByte(static_cast<unsigned char>(trail))) {
                candidates.push_back({static_cast<char>(lead), static_cast<char>(trail)});
            }
        }
    }
    // One conversion for all: '\n' is never a trail byte, so it keeps them apart.
    std::string joined;
    for (const std::string& candidate : candidates) {
        joined += candidate;
        joined += '\n';
    }
    const std::string converted = cp932::toUtf8(joined);
    std::vector<Cp932Character> characters;
    std::size_t start = 0;
    for (const std::string& candidate : candidates) {
        const std::size_t end = converted.find('\n', start);
        if (end == std::string::npos) {
            break;
        }
        std::string utf8 = converted.substr(start, end - start);
        start = end + 1;
        if (!utf8.empty() && utf8.find(kUtf8Replacement) == std::string::npos) {
            characters.push_back(Cp932Character{candidate, std::move(utf8)});
        }
    }
    return characters;
}

// CP932's characters as spelling needs them, built once: they never change.
struct Cp932Index {
    // Every encoding of each character: a few have two or three.
    std::unordered_map<std::string, std::vector<std::string>> formsByUtf8;
    // The characters that may have another case.
    std::vector<Cp932Character> mayHaveCase;
};

const Cp932Index& cp932Index() {
    static const Cp932Index index = [] {
        Cp932Index built;
        for (Cp932Character& character : everyCp932Character()) {
            built.formsByUtf8[character.utf8].push_back(character.bytes);
            if (!isCaselessText(character.utf8)) {
                built.mayHaveCase.push_back(std::move(character));
            }
        }
        return built;
    }();
    return index;
}

}  // namespace

std::vector<std::string> utf8Characters(std::string_view utf8) {
    std::vector<std::string> characters;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        if ((static_cast<unsigned char>(utf8[i]) & 0xC0) != 0x80 || characters.empty()) {
            characters.emplace_back();
        }
        characters.back() += utf8[i];
    }
    return characters;
}

bool fillCaseForms(CharacterForms& characterForms) {
    RE2::Options utf8Options;
    utf8Options.set_encoding(RE2::Options::EncodingUTF8);
    utf8Options.set_log_errors(false);
    const Cp932Index& index = cp932Index();
    RE2::Set sameCharacter(utf8Options, RE2::ANCHOR_BOTH);
    std::vector<std::vector<std::string>*> bySetIndex;
    for (auto& [character, forms] : characterForms) {
        if (isCaselessText(character)) {
            // Its own encodings alone.
            if (const auto own = index.formsByUtf8.find(character);
                own != index.formsByUtf8.end()) {
                forms = own->second;
            }
            continue;
        }
        if (sameCharacter.Add("(?i:" + RE2::QuoteMeta(character) + ")", nullptr) < 0) {
            return false;
        }
        bySetIndex.push_back(&forms);
    }
    if (bySetIndex.empty()) {
        return true;
    }
    if (!sameCharacter.Compile()) {
        return false;
    }
    std::vector<int> which;
    for (const Cp932Character& character : index.mayHaveCase) {
        which.clear();
        if (sameCharacter.Match(character.utf8, &which)) {
            for (const int set : which) {
                bySetIndex[static_cast<std::size_t>(set)]->push_back(character.bytes);
            }
        }
    }
    return true;
}

std::vector<std::string> spellingsOf(const std::vector<std::string>& characters,
                                     const CharacterForms& characterForms, std::size_t most) {
    std::vector<std::string> spelled{std::string()};
    for (const std::string& character : characters) {
        const std::vector<std::string>& forms = characterForms.at(character);
        if (forms.empty()) {
            return {};
        }
        if (spelled.size() * forms.size() > most) {
            break;  // the start of the string is just as sure a sign
        }
        std::vector<std::string> longer;
        for (const std::string& start : spelled) {
            for (const std::string& form : forms) {
                longer.push_back(start + form);
            }
        }
        spelled = std::move(longer);
    }
    return spelled;
}

}  // namespace ruv
