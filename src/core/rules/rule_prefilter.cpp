#include "core/rules/rule_prefilter.h"

#include <re2/filtered_re2.h>
#include <re2/re2.h>

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <optional>

#include "core/rules/cp932_spelling.h"

namespace ruv {

namespace {

// A string whose letters have many cases is looked for by its start alone.
constexpr std::size_t kMaxSpellingsPerString = 16;
// Groups of strings looked for per pattern, each a bit of a byte.
constexpr std::size_t kMostGroups = 8;
// RE2's analysis of an expression costs about the square of its length: a
// longer one (a list of many words) is not analysed, and every pattern is
// searched on every line, which finds the same lines.
constexpr std::size_t kMostBytesAnalysed = 2048;

std::uint16_t pairAt(std::string_view bytes, std::size_t at) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) << 8 |
                                      static_cast<unsigned char>(bytes[at + 1]));
}

std::uint32_t quadAt(std::string_view bytes, std::size_t at) {
    return static_cast<std::uint32_t>(pairAt(bytes, at)) << 16 | pairAt(bytes, at + 2);
}

// Sixteen bits of the four bytes, mixed (Fibonacci hashing).
std::size_t quadHash(std::uint32_t quad) {
    return (quad * 2654435761u) >> 16;
}

// One byte's key, apart from every pair's.
std::uint32_t singleKey(char byte) {
    return 0x10000u | static_cast<unsigned char>(byte);
}

// Groups of strings: any text the expression matches holds a string of every
// group (lower case, UTF-8). As RE2's analysis allows, each group is as small
// and its strings as long as can be. None when the expression needs no string
// or is too long to analyse.
std::optional<std::vector<std::vector<std::string>>> necessaryGroups(const std::string& expression,
                                                                     LetterCase letterCase) {
    if (expression.size() > kMostBytesAnalysed) {
        return std::nullopt;
    }
    RE2::Options utf8Options;
    utf8Options.set_encoding(RE2::Options::EncodingUTF8);
    utf8Options.set_log_errors(false);
    utf8Options.set_case_sensitive(letterCase == LetterCase::Exact);
    // Strings of two bytes count too: "PT" is a word players look for.
    re2::FilteredRE2 filtered(2);
    int id = 0;
    if (filtered.Add(expression, utf8Options, &id) != RE2::NoError) {
        return std::nullopt;
    }
    std::vector<std::string> atoms;
    filtered.Compile(&atoms);
    // Whether a text holding all strings but these could match.
    const auto passesWithout = [&](const std::vector<bool>& missing) {
        std::vector<int> found;
        for (std::size_t i = 0; i < atoms.size(); ++i) {
            if (!missing[i]) {
                found.push_back(static_cast<int>(i));
            }
        }
        std::vector<int> passing;
        filtered.AllPotentials(found, &passing);
        return !passing.empty();
    };
    // Short strings are let go first: the long ones are the rarer signs.
    std::vector<std::size_t> order(atoms.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return atoms[a].size() < atoms[b].size();
    });
    std::vector<bool> grouped(atoms.size(), false);
    std::vector<std::vector<std::string>> groups;
    while (groups.size() < kMostGroups) {
        std::vector<bool> group(atoms.size());
        for (std::size_t i = 0; i < atoms.size(); ++i) {
            group[i] = !grouped[i];
        }
        if (passesWithout(group)) {
            break;  // the strings left are no sign on their own
        }
        for (const std::size_t atom : order) {
            if (group[atom]) {
                group[atom] = false;
                group[atom] = passesWithout(group);
            }
        }
        std::vector<std::string>& strings = groups.emplace_back();
        for (std::size_t i = 0; i < atoms.size(); ++i) {
            if (group[i]) {
                strings.push_back(atoms[i]);
                grouped[i] = true;
            }
        }
    }
    if (groups.empty()) {
        return std::nullopt;
    }
    return groups;
}

}  // namespace

RulePrefilter::RulePrefilter() = default;
RulePrefilter::~RulePrefilter() = default;
RulePrefilter::RulePrefilter(RulePrefilter&&) noexcept = default;
RulePrefilter& RulePrefilter::operator=(RulePrefilter&&) noexcept = default;

RulePrefilter RulePrefilter::build(const std::vector<Pattern>& patterns) {
    if (patterns.empty()) {
        return RulePrefilter();
    }
    // For each pattern, groups of strings of which a matching text holds one
    // of every group; each string as its characters.
    using Group = std::vector<std::vector<std::string>>;
    std::vector<std::vector<Group>> groupsByExpression;
    CharacterForms spellings;
    for (const Pattern& pattern : patterns) {
        // A plain text is its own sign: its case is spelled in every form below.
        const std::optional<std::vector<std::vector<std::string>>> groups =
            pattern.kind == PatternKind::Plain
                ? std::optional(std::vector<std::vector<std::string>>{{pattern.text}})
                : necessaryGroups(pattern.text, pattern.letterCase);
        if (!groups) {
            return RulePrefilter();
        }
        std::vector<Group>& spelled = groupsByExpression.emplace_back();
        for (const std::vector<std::string>& strings : *groups) {
            Group& group = spelled.emplace_back();
            for (const std::string& string : strings) {
                group.push_back(utf8Characters(string));
                for (const std::string& character : group.back()) {
                    if (character == kUtf8Replacement) {
                        // Bytes CP932 cannot read turn into this: no spelling for it.
                        return RulePrefilter();
                    }
                    spellings.try_emplace(character);
                }
            }
        }
    }
    if (!fillCaseForms(spellings)) {
        return RulePrefilter();
    }

    RulePrefilter prefilter;
    for (std::size_t expression = 0; expression < groupsByExpression.size(); ++expression) {
        const std::vector<Group>& groups = groupsByExpression[expression];
        prefilter.allGroups_.push_back(static_cast<std::uint8_t>((1u << groups.size()) - 1));
        for (std::size_t group = 0; group < groups.size(); ++group) {
            const Sign sign = static_cast<Sign>(expression << kGroupBits | group);
            for (const std::vector<std::string>& characters : groups[group]) {
                for (std::string& bytes :
                     spellingsOf(characters, spellings, kMaxSpellingsPerString)) {
                    if (bytes.empty()) {
                        return RulePrefilter();  // its first character has too many forms
                    }
                    prefilter.add(std::move(bytes), sign);
                }
            }
        }
    }
    std::sort(prefilter.short_.begin(), prefilter.short_.end());
    std::sort(prefilter.threes_.begin(), prefilter.threes_.end());
    std::sort(prefilter.long_.begin(), prefilter.long_.end());
    prefilter.searches_ = true;
    return prefilter;
}

void RulePrefilter::add(std::string bytes, Sign sign) {
    switch (bytes.size()) {
        case 1:
            singleBytes_.set(static_cast<unsigned char>(bytes[0]));
            short_.push_back(Needle{singleKey(bytes[0]), std::move(bytes), sign});
            return;
        case 2:
            pairs_.set(pairAt(bytes, 0));
            anyStarts_.set(pairAt(bytes, 0));
            short_.push_back(Needle{pairAt(bytes, 0), std::move(bytes), sign});
            return;
        case 3:
            anyStarts_.set(pairAt(bytes, 0));
            threes_.push_back(Needle{pairAt(bytes, 0), std::move(bytes), sign});
            return;
        default:
            anyStarts_.set(pairAt(bytes, 0));
            quadHashes_.set(quadHash(quadAt(bytes, 0)));
            long_.push_back(Needle{quadAt(bytes, 0), std::move(bytes), sign});
    }
}

void RulePrefilter::collect(const std::vector<Needle>& needles, std::uint32_t key,
                            std::string_view rest, std::vector<Sign>& found) const {
    auto it = std::lower_bound(needles.begin(), needles.end(), Needle{key, {}, 0});
    for (; it != needles.end() && it->key == key; ++it) {
        if (rest.starts_with(it->bytes)) {
            found.push_back(it->sign);
        }
    }
}

void RulePrefilter::find(std::string_view bodyCp932, std::vector<Sign>& signs,
                         std::vector<int>& found) const {
    signs.clear();
    found.clear();
    const std::size_t size = bodyCp932.size();
    if (singleBytes_.any()) {
        for (std::size_t i = 0; i < size; ++i) {
            if (singleBytes_[static_cast<unsigned char>(bodyCp932[i])]) {
                collect(short_, singleKey(bodyCp932[i]), bodyCp932.substr(i), signs);
            }
        }
    }
    for (std::size_t i = 0; i + 1 < size; ++i) {
        const std::uint16_t pair = pairAt(bodyCp932, i);
        // Most pairs start nothing: one look tells.
        if (!anyStarts_[pair]) {
            continue;
        }
        const std::string_view rest = bodyCp932.substr(i);
        if (pairs_[pair]) {
            collect(short_, pair, rest, signs);
        }
        if (!threes_.empty()) {
            collect(threes_, pair, rest, signs);
        }
        if (rest.size() >= 4 && quadHashes_[quadHash(quadAt(rest, 0))]) {
            collect(long_, quadAt(rest, 0), rest, signs);
        }
    }
    // A pattern is named when a string of each of its groups was found.
    std::sort(signs.begin(), signs.end());
    std::uint8_t groups = 0;
    for (std::size_t i = 0; i < signs.size(); ++i) {
        const std::size_t expression = signs[i] >> kGroupBits;
        groups = static_cast<std::uint8_t>(groups | 1u << (signs[i] & kGroupMask));
        if (i + 1 == signs.size() || signs[i + 1] >> kGroupBits != expression) {
            if (groups == allGroups_[expression]) {
                found.push_back(static_cast<int>(expression));
            }
            groups = 0;
        }
    }
}

}  // namespace ruv
