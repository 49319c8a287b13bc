// Any bytes read as a rules file, and what it accepts matched against hostile
// lines. A file either reads or is damaged with a line inside it; a set that
// reads writes back to the same set; hits are in rule order, the background is
// the first coloured hit's and each sound comes once; narrowing a line to the
// rules it could match on its CP932 bytes loses none that a full search finds.

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <string>

#include "core/lines/chat_format.h"
#include "core/rules/rule_engine.h"
#include "core/rules/rule_matcher.h"
#include "core/rules/rules_file.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace ruv;
    FuzzedDataProvider input(data, size);
    const std::string text = input.ConsumeRandomLengthString(1 << 16);
    const RulesReading reading = parseRules(text, "rules.json");
    if (reading.state == RulesFileState::Damaged) {
        FUZZ_CHECK(reading.error && reading.rules.rules.empty());
        FUZZ_CHECK(reading.error->line >= 1);
        FUZZ_CHECK(reading.error->line <= 1 + std::count(text.begin(), text.end(), '\n'));
        return 0;
    }
    FUZZ_CHECK(reading.state == RulesFileState::Loaded);
    const RulesReading again = parseRules(rulesJson(reading.rules), "again.json");
    FUZZ_CHECK(again.state == RulesFileState::Loaded && again.rules == reading.rules);

    RuleEngine engine;
    engine.setRules(reading.rules);
    const RuleMatcher matcher = RuleMatcher::compile(reading.rules);
    RuleCandidates candidates;
    RuleLineUtf8 line;
    std::vector<std::size_t> preselected;
    std::vector<std::size_t> searched;
    while (input.remaining_bytes() > 0) {
        const std::string raw = input.ConsumeRandomLengthString(1 << 12);
        const std::optional<ChannelMatch> own = ownMarker(raw);
        line.assign(raw, own ? std::optional(own->channel) : std::nullopt);
        preselected.clear();
        if (matcher.preselect(raw, candidates)) {
            matcher.match(line.view(), candidates, preselected);
        }
        RuleCandidates everyRule;
        matcher.match(line.view(), everyRule, searched);
        FUZZ_CHECK(preselected == searched);
        const RuleOutcome& outcome =
            engine.apply(displayText(raw), own ? std::optional(own->channel) : std::nullopt,
                         input.ConsumeBool() ? LineUse::Live : LineUse::ColourOnly);
        std::optional<Colour> first;
        for (std::size_t i = 0; i < outcome.hits.size(); ++i) {
            const std::size_t rule = outcome.hits[i].rule;
            FUZZ_CHECK(rule < reading.rules.rules.size());
            FUZZ_CHECK(i == 0 || outcome.hits[i - 1].rule < rule);
            FUZZ_CHECK(reading.rules.rules[rule].enabled);
            if (!first) {
                first = reading.rules.rules[rule].colour;
            }
        }
        FUZZ_CHECK(outcome.background == first);
        for (std::size_t i = 0; i < outcome.sounds.size(); ++i) {
            FUZZ_CHECK(
                std::count(outcome.sounds.begin(), outcome.sounds.end(), outcome.sounds[i]) == 1);
        }
    }
    return 0;
}
