#pragma once
// Which rule patterns could match a line, told from its CP932 bytes, so that
// most lines are never converted, and the others are searched only by the
// rules they could match. A matching text holds a plain pattern itself, and
// for an expression a string of each of a few groups (RE2's own analysis);
// each string's characters are spelled in every CP932 form that any letter
// case lets match, and one pass over the bytes finds them. It can name a
// pattern that does not match, never miss one that does.

#include <bitset>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/rules/notification_rule.h"

namespace ruv {

class RulePrefilter {
  public:
    // A prefilter that names every pattern for every line.
    RulePrefilter();
    ~RulePrefilter();
    RulePrefilter(RulePrefilter&&) noexcept;
    RulePrefilter& operator=(RulePrefilter&&) noexcept;

    struct Pattern {
        PatternKind kind = PatternKind::Plain;
        std::string text;  // UTF-8: a plain text, or an expression as RE2 reads it
        LetterCase letterCase = LetterCase::Ignored;
    };
    // Names every pattern for every line when one of them needs no string or
    // is too long to analyse, or a string cannot be told in CP932 bytes.
    static RulePrefilter build(const std::vector<Pattern>& patterns);

    bool namesEveryPattern() const noexcept { return !searches_; }
    // A string found: its pattern's index and the group it stands for.
    using Sign = std::uint32_t;

    // The indexes of the patterns the line could match, ascending and
    // distinct; meaningless when namesEveryPattern(). signs: the caller's
    // scratch, reused from line to line.
    void find(std::string_view bodyCp932, std::vector<Sign>& signs, std::vector<int>& found) const;

  private:
    static constexpr unsigned kGroupBits = 3;
    static constexpr Sign kGroupMask = (1u << kGroupBits) - 1;

    struct Needle {
        std::uint32_t key = 0;  // its first bytes, as the tables below look it up
        std::string bytes;
        Sign sign = 0;
        bool operator<(const Needle& other) const { return key < other.key; }
    };
    void add(std::string bytes, Sign sign);
    void collect(const std::vector<Needle>& needles, std::uint32_t key, std::string_view rest,
                 std::vector<Sign>& found) const;

    bool searches_ = false;
    std::vector<std::uint8_t> allGroups_;  // per pattern, a bit for each group
    // Spellings of one and two bytes are found by their bytes alone; longer
    // ones by their first two bytes, then a hash of their first four.
    std::bitset<256> singleBytes_;
    std::bitset<1 << 16> anyStarts_;  // the first two bytes of every spelling of two or more
    std::bitset<1 << 16> pairs_;
    std::bitset<1 << 16> quadHashes_;
    std::vector<Needle> short_;   // one or two bytes, by those bytes
    std::vector<Needle> threes_;  // three bytes, by their first two
    std::vector<Needle> long_;    // four or more, by their first four
};

}  // namespace ruv
