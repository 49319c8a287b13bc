// CP932 conversion at the edges, against two baselines: copying the same
// bytes into UTF-16 unit by unit (the least any conversion must do) and ICU's
// own windows-31j converter taking the whole text in one call.

#include <benchmark/benchmark.h>
#include <unicode/ucnv.h>

#include <string>

#include "core/text/cp932.h"
#include "support/cp932_text.h"

namespace {

// About 1 MB of chat-like text: Japanese with ASCII markup and half-width kana.
std::string chatText() {
    const std::string line = ruv::testing::sj(
        "<font size=\"2\" color=\"white\">[12:34:56]</font> プレイヤー : こんにちは！ 表示 ｱｲ "
        "abc 123 ①\r\n");
    std::string text;
    while (text.size() < (1u << 20)) {
        text += line;
    }
    return text;
}

void BM_WidenBytesBaseline(benchmark::State& state) {
    const std::string text = chatText();
    for (auto _ : state) {
        std::u16string out(text.begin(), text.end());
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_WidenBytesBaseline);

void BM_IcuWholeTextBaseline(benchmark::State& state) {
    const std::string text = chatText();
    UErrorCode status = U_ZERO_ERROR;
    UConverter* converter = ucnv_open("windows-31j", &status);
    std::u16string out(text.size() + 1, u'\0');
    for (auto _ : state) {
        status = U_ZERO_ERROR;
        ucnv_reset(converter);
        const int32_t written = ucnv_toUChars(converter, reinterpret_cast<UChar*>(out.data()),
                                              static_cast<int32_t>(out.size()), text.data(),
                                              static_cast<int32_t>(text.size()), &status);
        benchmark::DoNotOptimize(written);
    }
    ucnv_close(converter);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_IcuWholeTextBaseline);

void BM_Cp932ToUtf16(benchmark::State& state) {
    const std::string text = chatText();
    for (auto _ : state) {
        std::u16string out = ruv::cp932::toUtf16(text);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_Cp932ToUtf16);

void BM_Cp932FromUtf16(benchmark::State& state) {
    const std::string text = chatText();
    const std::u16string wide = ruv::cp932::toUtf16(text);
    for (auto _ : state) {
        auto out = ruv::cp932::fromUtf16(wide);
        benchmark::DoNotOptimize(out->data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_Cp932FromUtf16);

}  // namespace
