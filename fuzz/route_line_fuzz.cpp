// Line routing on arbitrary lines, NG lists, keywords, switches and tabs, with
// ports (and watchers of the views' lines) that count their calls and may fail
// at any one of them. Routing throws
// nothing but RouteError, and every text it hands on is cut from the line by
// display slicing: once, or again by each later channel step that matches a
// marker the sender typed (speech gets the body of the display text).

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/lines/line_sink.h"
#include "core/log/route_line.h"
#include "fuzz_check.h"

namespace {

using namespace ruv;

constexpr std::size_t kChannels = static_cast<std::size_t>(ChatChannel::ExpMonitor) + 1;

// Every port in one, counting calls; the call numbered failAt throws. It
// watches every view's lines, so each append counts as a call.
struct CountingPorts final : TabSelection,
                             TabCaptions,
                             RouteSettingsNotices,
                             CallSounds,
                             ExpEvents,
                             SpeechOut,
                             Attention,
                             ViewLinesObserver {
    std::array<bool, kChannels> hasSound{};
    std::optional<ChatChannel> active;
    std::uint32_t failAt = 0;  // 0: never
    std::uint32_t calls = 0;

    // The line's display text, then that of the display text, and so on.
    std::vector<std::string> displayCuts;
    int appends = 0;

    void expectLine(std::string_view raw) {
        displayCuts.clear();
        std::string cut = displayText(raw);
        while (displayCuts.empty() || cut != displayCuts.back()) {
            displayCuts.push_back(cut);
            cut = displayText(cut);
        }
    }
    bool isDisplayCut(std::string_view text) const {
        return std::find(displayCuts.begin(), displayCuts.end(), text) != displayCuts.end();
    }

    void count() {
        if (++calls == failAt) {
            throw std::runtime_error("port failure");
        }
    }
    static std::size_t at(ChatChannel channel) { return static_cast<std::size_t>(channel); }

    void linesAdded(ChatChannel, std::string_view text, Colour) override {
        count();
        FUZZ_CHECK(isDisplayCut(text));
        ++appends;
    }
    void linesCleared(ChatChannel) override {}
    void linesDropped(ChatChannel) override {}
    void linesGone(ChatChannel) override {}
    std::optional<ChatChannel> ActiveTab() const override { return active; }
    void SetCaption(Tab, std::string_view caption) override {
        count();
        FUZZ_CHECK(!caption.empty());
    }
    void keywordUnticked(ChatChannel) override { count(); }
    bool HasCallSound(ChatChannel slot) const override { return hasSound[at(slot)]; }
    void PlayCallSound(ChatChannel) override { count(); }
    void StartExpClock() override { count(); }
    void RecordGain(std::int64_t, std::string_view) override { count(); }
    void RecordLevelUp(std::string_view) override { count(); }
    void requestAttention() override { count(); }
    void SpeakLine(std::string_view text, SpeakerLine, SpeechPriority) override {
        count();
        FUZZ_CHECK(text == bodyOfDisplay(displayCuts.front()));
    }
};

std::string shortText(FuzzedDataProvider& input) {
    return input.ConsumeRandomLengthString(24);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    CountingPorts ports;
    RouteSettings settings;
    for (std::size_t i = 0; i < kChannels; ++i) {
        settings.tabShown[i] = input.ConsumeBool();
        settings.keywords[i].armed = input.ConsumeBool();
        ports.hasSound[i] = input.ConsumeBool();
        if (settings.keywords[i].armed) {
            settings.keywords[i].text = shortText(input);
        }
    }
    for (bool& box : settings.mix) {
        box = input.ConsumeBool();
    }
    settings.ngUsersApplied = input.ConsumeBool();
    settings.ngWordsApplied = input.ConsumeBool();
    settings.speechSend = input.ConsumeBool();
    settings.callAlert = input.ConsumeBool();
    if (const auto tab = input.ConsumeIntegralInRange<std::size_t>(0, kChannels); tab < kChannels) {
        ports.active = static_cast<ChatChannel>(tab);
    }
    ports.failAt = input.ConsumeIntegralInRange<std::uint32_t>(0, 40);

    NgLists lists;
    for (int n = input.ConsumeIntegralInRange(0, 3); n > 0; --n) {
        lists.users.push_back(shortText(input));
    }
    for (int n = input.ConsumeIntegralInRange(0, 3); n > 0; --n) {
        lists.words.push_back(shortText(input));
    }
    // Each view keeps a few lines, so that drops happen too.
    ChannelBook book;
    for (std::size_t i = 0; i < kChannels; ++i) {
        book.lines(static_cast<ChatChannel>(i)).setCapacity(LineCount{3});
        book.lines(static_cast<ChatChannel>(i)).watch(ports);
    }
    UnreadCounters counters(ports);
    LineRouter router(RoutePorts{ports, ports, ports, ports, ports, ports},
                      RouteState{settings, lists, book, counters});

    while (input.remaining_bytes() > 0) {
        const std::string raw = input.ConsumeRandomLengthString(400);
        ports.expectLine(raw);
        try {
            router.RouteLine(raw);
        } catch (const RouteError&) {
            // Reported by the reader; routing goes on with the next line.
        } catch (const UncountedGain&) {
            // The line's own fault: named once by the reader, routing goes on.
        } catch (...) {
            ::ruv::fuzz::fail("routing threw something other than RouteError or UncountedGain",
                              __FILE__, __LINE__);
        }
    }
    return 0;
}
