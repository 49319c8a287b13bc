// Lines are narrowed to the rules they could match on their CP932 bytes
// before any is converted: whatever the case, the encoding of a character or
// the bytes around it, the rules that match are the ones a full search finds.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/lines/chat_format.h"
#include "core/rules/rule_matcher.h"
#include "loggen/log_generator.h"
#include "support/cp932_text.h"

namespace ruv::testing {
namespace {

struct RuleSpec {
    std::string pattern;  // UTF-8
    PatternKind kind = PatternKind::Plain;
    LetterCase letterCase = LetterCase::Ignored;
};

RuleSet ruleSetOf(const std::vector<RuleSpec>& specs) {
    RuleSet set;
    for (const RuleSpec& spec : specs) {
        NotificationRule& rule = set.rules.emplace_back();
        rule.name = "rule" + std::to_string(set.rules.size());
        rule.pattern = spec.pattern;
        rule.kind = spec.kind;
        rule.letterCase = spec.letterCase;
    }
    return set;
}

// Bodies (CP932) that hold the rules' words in other cases, other encodings,
// across trail bytes and beside bytes CP932 cannot read, and a day of chat.
std::vector<std::string> trickyBodies() {
    std::vector<std::string> bodies{sj("PTいこう"),
                                    sj("pt"),
                                    sj("Pt募集"),
                                    sj("ｐｔ"),
                                    sj("ＰＴ"),
                                    sj("Ｐｔ"),
                                    sj("ΣΑΣ"),
                                    sj("σ"),
                                    sj("ABCDEFGHIJ"),
                                    sj("abcdefghiX"),
                                    "\x81\xF0",  // the Angstrom sign: å in capitals
                                    "\x81\xE6",  // ∵ as the standard places it
                                    "\x87\x9A",  // ∵ again, in the vendor's row
                                    "\xED\x40",  // 纊 among the vendor-chosen extensions
                                    "\xFA\x5C",  // 纊 among the other vendor's
                                    sj("ア"),    // its trail byte is "A"
                                    sj("ボス"),
                                    sj("レア狩り3人"),
                                    sj("レアだけ"),
                                    sj("ボスへ行こう！"),
                                    sj("おつかれさまでした"),
                                    sj("おつかれさま"),
                                    "\x81" + sj("PT"),
                                    sj("PT") + "\x81",
                                    "\x85\x40" + sj("ボス"),
                                    sj("ボ") + "\xFF" + sj("ス"),
                                    std::string("pt\0PT", 5),
                                    sj("募集中"),
                                    sj("急募！"),
                                    std::string()};
    loggen::LogGenerator generator(20240501);
    const std::string day = generator.generate(256 << 10);
    std::size_t start = 0;
    while (start < day.size()) {
        std::size_t end = day.find('\n', start);
        end = end == std::string::npos ? day.size() : end;
        const std::string display = displayText(
            removeEntities(removeCrLf(std::string_view(day).substr(start, end - start))));
        bodies.emplace_back(bodyOfDisplay(display));
        start = end + 1;
    }
    return bodies;
}

// ボス, レア and a thousand words of three katakana.
std::vector<std::string> longWordList() {
    std::vector<std::string> words{"ボス", "レア"};
    const std::string letters = "アイウエオカキクケコサシスセソタチツテトナニヌネノ";
    const std::size_t count = letters.size() / 3;
    for (std::size_t i = 0; i < 1000; ++i) {
        std::string& word = words.emplace_back();
        for (const std::size_t at : {i % count, i / count % count, (i * 7 + 3) % count}) {
            word += letters.substr(at * 3, 3);
        }
    }
    return words;
}

std::vector<std::size_t> fullSearch(const RuleMatcher& matcher, std::string_view body) {
    RuleLineUtf8 line;
    line.assign(body, std::nullopt);
    RuleCandidates everyRule;
    std::vector<std::size_t> hits;
    matcher.match(line.view(), everyRule, hits);
    return hits;
}

std::vector<std::size_t> preselected(const RuleMatcher& matcher, std::string_view body,
                                     RuleCandidates& candidates) {
    std::vector<std::size_t> hits;
    if (matcher.preselect(body, candidates)) {
        RuleLineUtf8 line;
        line.assign(body, std::nullopt);
        matcher.match(line.view(), candidates, hits);
    }
    return hits;
}

TEST(RulePreselection, FindsEveryRuleTheFullSearchFindsWhateverTheCaseOrEncoding) {
    struct Case {
        const char* what;
        std::vector<RuleSpec> rules;
        bool narrowed;  // whether lines are narrowed at all
    };
    const std::vector<Case> cases{
        {"words in any case, in every encoding of their characters",
         {{"PT"},
          {"pt", PatternKind::Plain, LetterCase::Exact},
          {"ＰＴ"},
          {"σ"},
          {"∵"},
          {"纊"},
          {"å"},
          {"abcdefghij"},
          {"ア", PatternKind::Plain, LetterCase::Exact},
          {"おつかれさまでした"},
          {"😀"},
          {"募集"},
          {"急募", PatternKind::Plain, LetterCase::Exact}},
         true},
        {"expressions that need two words, or one of several",
         {{"(ボス|レア).{0,12}(行こう|\\d+人)", PatternKind::Regex},
          {"^募集(中|です)?", PatternKind::Regex},
          {"(?-i:Pt)|ΣΑ", PatternKind::Regex},
          {"ボス", PatternKind::Plain, LetterCase::Exact}},
         true},
        {"an expression that needs no word at all",
         {{"\\d+", PatternKind::Regex}, {"ボス"}},
         false},
        {"a word that only text CP932 cannot read holds", {{"\xEF\xBF\xBD"}, {"ボス"}}, false},
    };
    const std::vector<std::string> bodies = trickyBodies();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const RuleMatcher matcher = RuleMatcher::compile(ruleSetOf(c.rules));
        RuleCandidates candidates;
        std::size_t passedOver = 0;
        std::size_t hitLines = 0;
        for (std::size_t i = 0; i < bodies.size(); ++i) {
            const std::vector<std::size_t> expected = fullSearch(matcher, bodies[i]);
            EXPECT_EQ(preselected(matcher, bodies[i], candidates), expected)
                << "body " << i << ": " << cp932::toUtf8(bodies[i]);
            passedOver += matcher.preselect(bodies[i], candidates) ? 0 : 1;
            hitLines += expected.empty() ? 0 : 1;
        }
        EXPECT_GT(hitLines, 3u);
        EXPECT_EQ(passedOver > 0, c.narrowed);
    }
}

TEST(RulePreselection, AListOfWordsTooLongToAnalyseMatchesTheLinesItsWordsMatch) {
    const std::vector<std::string> words = longWordList();
    std::string list = "(?:";
    std::vector<RuleSpec> separate;
    for (const std::string& word : words) {
        list += word + (&word == &words.back() ? ")" : "|");
        separate.push_back({word});
    }
    const RuleMatcher listed = RuleMatcher::compile(ruleSetOf({{list, PatternKind::Regex}}));
    const RuleMatcher eachWord = RuleMatcher::compile(ruleSetOf(separate));
    RuleCandidates candidates;
    std::size_t hitLines = 0;
    for (const std::string& body : trickyBodies()) {
        const bool hit = !preselected(listed, body, candidates).empty();
        EXPECT_EQ(hit, !preselected(eachWord, body, candidates).empty()) << cp932::toUtf8(body);
        hitLines += hit ? 1 : 0;
    }
    EXPECT_GT(hitLines, 3u);
}

}  // namespace
}  // namespace ruv::testing
