// Line routing throughput on a generated evening of chat, with 100 NG users
// and 100 NG words, into the session's views (ChannelBook), every port a cheap
// counting sink. The baseline is a plain
// two-pattern scan of the same lines (what grep -c -F does), so the ratio of
// the two holds on a shared, noisy machine.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/lines/chat_format.h"
#include "core/log/route_line.h"
#include "core/log/route_settings.h"
#include "core/text/cp932.h"
#include "core/views/channel_book.h"
#include "loggen/log_generator.h"

namespace ruv {
namespace {

constexpr std::size_t kLogBytes = 8 * 1024 * 1024;

struct GeneratedLog {
    std::vector<std::string> lines;
    std::size_t bytes = 0;
};

const GeneratedLog& generatedLog() {
    static const GeneratedLog log = [] {
        GeneratedLog out;
        loggen::LogGenerator generator(20240501);
        const std::string text = generator.generate(kLogBytes);
        std::size_t start = 0;
        while (start < text.size()) {
            std::size_t end = text.find('\n', start);
            if (end == std::string::npos) {
                end = text.size();
            }
            out.lines.push_back(
                removeEntities(removeCrLf(std::string_view(text).substr(start, end - start))));
            out.bytes += end - start + 1;
            start = end + 1;
        }
        return out;
    }();
    return log;
}

class CountingTabs final : public TabSelection, public TabCaptions, public RouteSettingsNotices {
  public:
    std::optional<ChatChannel> ActiveTab() const override { return ChatChannel::ExpMonitor; }
    void SetCaption(Tab, std::string_view caption) override { captions += caption.size(); }
    void keywordUnticked(ChatChannel) override {}
    std::size_t captions = 0;
};

class CountingSounds final : public CallSounds {
  public:
    bool HasCallSound(ChatChannel) const override { return true; }
    void PlayCallSound(ChatChannel) override { ++played; }
    std::size_t played = 0;
};

class CountingExp final : public ExpEvents {
  public:
    void StartExpClock() override {}
    void RecordGain(std::int64_t amount, std::string_view) override { total += amount; }
    void RecordLevelUp(std::string_view) override { ++levelUps; }
    std::int64_t total = 0;
    std::size_t levelUps = 0;
};

class CountingSpeech final : public SpeechOut {
  public:
    void SpeakLine(std::string_view text, SpeakerLine, SpeechPriority) override {
        spoken += text.size();
    }
    std::size_t spoken = 0;
};

class CountingAttention final : public Attention {
  public:
    void requestAttention() override { ++requests; }
    std::size_t requests = 0;
};

NgLists hundredEach() {
    NgLists lists;
    for (int i = 0; i < 99; ++i) {
        lists.users.push_back(cp932::fromUtf8("ユーザー" + std::to_string(i)).value());
        lists.words.push_back(cp932::fromUtf8("禁止語" + std::to_string(i)).value());
    }
    lists.users.push_back(cp932::fromUtf8("ポチ").value());
    lists.words.push_back(cp932::fromUtf8("ポーション").value());
    return lists;
}

void BM_RouteLine(benchmark::State& state) {
    const GeneratedLog& log = generatedLog();
    CountingTabs tabs;
    RouteSettings settings;
    settings.tabShown.fill(true);
    settings.mix.fill(true);
    settings.ngUsersApplied = state.range(0) != 0;
    settings.ngWordsApplied = state.range(0) != 0;
    settings.speechSend = true;
    for (CallKeyword& keyword : settings.keywords) {
        keyword = CallKeyword{true, cp932::fromUtf8("了解").value_or("")};
    }
    CountingSounds sounds;
    CountingExp exp;
    CountingSpeech speech;
    CountingAttention attention;
    const NgLists lists = hundredEach();
    ChannelBook book;
    UnreadCounters counters{tabs};
    LineRouter router(RoutePorts{tabs, tabs, sounds, exp, speech, attention},
                      RouteState{settings, lists, book, counters});
    for (auto _ : state) {
        for (const std::string& line : log.lines) {
            router.RouteLine(line);
        }
    }
    benchmark::DoNotOptimize(book.lines(ChatChannel::Normal).store().size() + speech.spoken +
                             sounds.played);
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * log.lines.size()));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * log.bytes));
}
BENCHMARK(BM_RouteLine)->Arg(1)->Arg(0)->ArgName("ng_lists")->Unit(benchmark::kMillisecond);

// Baseline: count the lines holding either of two fixed patterns.
void BM_TwoPatternScanBaseline(benchmark::State& state) {
    const GeneratedLog& log = generatedLog();
    std::size_t hits = 0;
    for (auto _ : state) {
        for (const std::string& line : log.lines) {
            if (line.find(markers::kTeam) != std::string::npos ||
                line.find(markers::kBattle) != std::string::npos) {
                ++hits;
            }
        }
    }
    benchmark::DoNotOptimize(hits);
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * log.lines.size()));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * log.bytes));
}
BENCHMARK(BM_TwoPatternScanBaseline)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace ruv
