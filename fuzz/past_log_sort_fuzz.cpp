// Past-log tidying stepped in random slice sizes gives exactly what one run
// to the end gives, and never reads outside the log.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "core/log/past_log_sort.h"
#include "fuzz_check.h"

namespace {

using namespace ruv;

struct RecordingSink final : PastLogSink {
    std::vector<std::string> events;
    void append(ChatChannel view, std::string_view text, Colour colour) override {
        events.push_back("append " + std::string(settingsKey(view)) + " " + colourText(colour) +
                         " " + std::string(text));
    }
    void addDayGain(std::int64_t amount, std::string_view) override {
        events.push_back("gain " + std::to_string(amount));
    }
    void unreadableGain(std::string_view display) override {
        events.push_back("unreadable " + std::string(display));
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const auto sliceSeed = input.ConsumeIntegral<std::uint32_t>();
    const auto largestSlice = input.ConsumeIntegralInRange<std::int64_t>(1, 64);
    const std::string log = input.ConsumeRemainingBytesAsString();

    RecordingSink whole;
    PastLogSort once(log);
    once.runToEnd(whole);
    FUZZ_CHECK(once.done());
    FUZZ_CHECK(once.position() <= once.size());

    RecordingSink sliced;
    PastLogSort stepped(log);
    std::minstd_rand slices(sliceSeed);
    std::uniform_int_distribution<std::int64_t> sliceSize(0, largestSlice);
    ByteOffset before = stepped.position();
    // A slice of n >= 1 lines either moves on or ends the sort, so the number
    // of slices is bounded by the bytes; zero-line slices are bounded too.
    std::size_t budget = 2 * log.size() + 64;
    while (!stepped.done()) {
        FUZZ_CHECK(budget-- > 0);
        const std::int64_t lines = sliceSize(slices);
        const std::size_t eventsBefore = sliced.events.size();
        const SortProgress progress = stepped.step(sliced, LineCount{lines});
        FUZZ_CHECK((progress == SortProgress::Done) == stepped.done());
        FUZZ_CHECK(stepped.position() >= before && stepped.position() <= stepped.size());
        // One raw line gives at most two appends and a gain.
        FUZZ_CHECK(sliced.events.size() - eventsBefore <= static_cast<std::size_t>(3 * lines));
        before = stepped.position();
    }
    FUZZ_CHECK(sliced.events == whole.events);
    FUZZ_CHECK(stepped.position() == once.position());
    // A finished sort stays finished and adds nothing.
    FUZZ_CHECK(stepped.step(sliced, LineCount{5}) == SortProgress::Done);
    FUZZ_CHECK(sliced.events.size() == whole.events.size());
    return 0;
}
