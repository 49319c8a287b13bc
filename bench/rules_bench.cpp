// Notification rules: what 200 rules (150 plain Japanese words, 50 regular
// expressions) add to routing a line, and to running a whole day through
// them, against routing with no rules and with one plain rule in the same
// run; a pattern built to backtrack against a simple one on a hostile
// 100 KB line; and compiling one rule that lists 16,000 short katakana words
// (a 230 KB pattern) against compiling 10,000 rules of one word each. Each benchmark reports its
// ratio as a counter: for the first two, the median of the ratios of runs taken in pairs.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <random>
#include <string>
#include <vector>

#include "core/lines/chat_format.h"
#include "core/log/route_line.h"
#include "core/log/silent_route_ports.h"
#include "core/rules/rule_matcher.h"
#include "core/views/channel_book.h"
#include "loggen/log_generator.h"

namespace ruv {
namespace {

using Clock = std::chrono::steady_clock;

std::vector<std::string> generatedLines(std::size_t bytes) {
    loggen::LogGenerator generator(20240501);
    const std::string text = generator.generate(bytes);
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        lines.push_back(
            removeEntities(removeCrLf(std::string_view(text).substr(start, end - start))));
        start = end + 1;
    }
    return lines;
}

RuleSet twoHundredRules() {
    const std::vector<std::string> words{
        "集合",     "募集",     "解散",     "狩り",       "ボス",       "レア",
        "ドロップ", "ギルド",   "クラン",   "攻城戦",     "取引",       "売ります",
        "買います", "回復",     "支援",     "PT",         "ダンジョン", "イベント",
        "ログイン", "おつかれ", "よろしく", "ありがとう", "手伝って",   "誰か",
        "急募",     "至急",     "緊急",     "助けて",     "装備",       "強化"};
    const std::vector<std::string> suffixes{"", "中", "です", "お願い", "しよう"};
    RuleSet set;
    for (const std::string& suffix : suffixes) {
        for (const std::string& word : words) {
            NotificationRule& rule = set.rules.emplace_back();
            rule.name = word + suffix + std::to_string(set.rules.size());
            rule.pattern = word + suffix;
            rule.sound = "call.wav";
        }
    }
    for (std::size_t i = 0; i < 50; ++i) {
        NotificationRule& rule = set.rules.emplace_back();
        rule.name = "regex" + std::to_string(i);
        rule.kind = PatternKind::Regex;
        const std::string& a = words[i % words.size()];
        const std::string& b = words[(i * 7 + 3) % words.size()];
        rule.pattern = "(" + a + "|" + b + ").{0,12}(行こう|いく|\\d+人)";
        rule.colour = Colour{0x203040};
    }
    return set;
}

// The middle of the ratios of runs taken in pairs: one run slowed by the
// machine does not move it.
double medianOf(std::vector<double> ratios) {
    std::sort(ratios.begin(), ratios.end());
    return ratios[ratios.size() / 2];
}

// Routes every line once through a router with these rules; seconds taken.
double routeAll(const std::vector<std::string>& lines, const RuleSet& rules, bool withViews) {
    SilentRoutePorts ports(ChatChannel::ExpMonitor);
    RouteSettings settings;
    settings.tabShown.fill(withViews);
    settings.mix.fill(withViews);
    NgLists lists;
    ChannelBook book;
    UnreadCounters counters{ports};
    RuleEngine engine;
    engine.setRules(rules);
    LineRouter router(RoutePorts{ports, ports, ports, ports, ports, ports},
                      RouteState{settings, lists, book, counters},
                      RuleRouting{engine, ports, ports});
    const Clock::time_point start = Clock::now();
    for (const std::string& line : lines) {
        router.RouteLine(line);
    }
    benchmark::DoNotOptimize(ports.ruleSoundsAsked);
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Live routing into every view: 200 rules against none.
void BM_RouteWith200RulesVersusNone(benchmark::State& state) {
    static const std::vector<std::string> lines = generatedLines(8u << 20);
    const RuleSet rules = twoHundredRules();
    std::vector<double> ratios;
    for (auto _ : state) {
        const double without = routeAll(lines, RuleSet{}, true);
        const double seconds = routeAll(lines, rules, true);
        ratios.push_back(seconds / without);
        state.SetIterationTime(seconds);
    }
    state.counters["rules200/none"] = medianOf(ratios);
}
BENCHMARK(BM_RouteWith200RulesVersusNone)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(7);

// The rules command's work over a 50 MB day: 200 rules against one plain rule.
void BM_DayWith200RulesVersusOne(benchmark::State& state) {
    static const std::vector<std::string> lines = generatedLines(50u << 20);
    const RuleSet rules = twoHundredRules();
    RuleSet one;
    one.rules.push_back(rules.rules.front());
    std::vector<double> ratios;
    for (auto _ : state) {
        const double single = routeAll(lines, one, false);
        const double seconds = routeAll(lines, rules, false);
        ratios.push_back(seconds / single);
        state.SetIterationTime(seconds);
    }
    state.counters["rules200/rules1"] = medianOf(ratios);
}
BENCHMARK(BM_DayWith200RulesVersusOne)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);

// (a+)+b over 100 KB of "a" against a simple pattern over the same line.
void BM_BacktrackingPatternVersusSimple(benchmark::State& state) {
    const std::string hostile(100'000, 'a');
    const auto matcherOf = [](std::string pattern) {
        RuleSet set;
        NotificationRule& rule = set.rules.emplace_back();
        rule.name = "r";
        rule.kind = PatternKind::Regex;
        rule.pattern = std::move(pattern);
        return RuleMatcher::compile(set);
    };
    const RuleMatcher hostileRule = matcherOf("(a+)+b");
    const RuleMatcher simpleRule = matcherOf("b");
    const RuleLineText line{std::nullopt, {}, hostile};
    std::vector<std::size_t> hits;
    RuleCandidates candidates;
    double hostileSeconds = 0;
    double simpleSeconds = 0;
    for (auto _ : state) {
        Clock::time_point start = Clock::now();
        simpleRule.preselect(hostile, candidates);
        simpleRule.match(line, candidates, hits);
        simpleSeconds += std::chrono::duration<double>(Clock::now() - start).count();
        start = Clock::now();
        hostileRule.preselect(hostile, candidates);
        hostileRule.match(line, candidates, hits);
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        hostileSeconds += seconds;
        state.SetIterationTime(seconds);
        benchmark::DoNotOptimize(hits.size());
    }
    state.counters["backtracking/simple"] = hostileSeconds / simpleSeconds;
}
BENCHMARK(BM_BacktrackingPatternVersusSimple)->UseManualTime()->Unit(benchmark::kMicrosecond);

// Short katakana words, as a player lists names of items or monsters.
std::vector<std::string> katakanaWords(std::size_t count) {
    std::mt19937 random(20240501);
    std::vector<std::string> words;
    words.reserve(count);
    while (words.size() < count) {
        std::string word;
        const std::size_t letters = 3 + random() % 4;
        for (std::size_t i = 0; i < letters; ++i) {
            // ァ (U+30A1) to ヶ (U+30F6), three bytes each in UTF-8.
            const char32_t letter = 0x30A1 + static_cast<char32_t>(random() % 86);
            word += static_cast<char>(0xE0 | (letter >> 12));
            word += static_cast<char>(0x80 | ((letter >> 6) & 0x3F));
            word += static_cast<char>(0x80 | (letter & 0x3F));
        }
        words.push_back(std::move(word));
    }
    return words;
}

double compileSeconds(const RuleSet& rules) {
    const Clock::time_point start = Clock::now();
    const RuleMatcher matcher = RuleMatcher::compile(rules);
    benchmark::DoNotOptimize(matcher.ruleCount());
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// One rule (?:w1|...|w16000) against 10,000 rules of one word each.
void BM_CompileLargeAlternationVersusSeparateRules(benchmark::State& state) {
    const std::vector<std::string> words = katakanaWords(16'000);
    RuleSet alternation;
    NotificationRule& listed = alternation.rules.emplace_back();
    listed.name = "list";
    listed.kind = PatternKind::Regex;
    listed.pattern = "(?:";
    for (const std::string& word : words) {
        listed.pattern += word + (&word == &words.back() ? ")" : "|");
    }
    RuleSet separate;
    for (std::size_t i = 0; i < 10'000; ++i) {
        NotificationRule& rule = separate.rules.emplace_back();
        rule.name = "word" + std::to_string(i);
        rule.pattern = words[i];
    }
    std::vector<double> ratios;
    double slowest = 0;
    for (auto _ : state) {
        const double many = compileSeconds(separate);
        const double seconds = compileSeconds(alternation);
        ratios.push_back(seconds / many);
        slowest = std::max(slowest, seconds);
        state.SetIterationTime(seconds);
    }
    state.counters["patternKB"] = static_cast<double>(listed.pattern.size()) / 1000;
    state.counters["list16000/rules10000"] = medianOf(ratios);
    state.counters["slowestSeconds"] = slowest;
}
BENCHMARK(BM_CompileLargeAlternationVersusSeparateRules)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);

}  // namespace
}  // namespace ruv
