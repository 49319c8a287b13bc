// A guild floods 叫び, then a whisper arrives. The real speech client with its
// queue (1 line waiting there, 60 s, 3 lines a speaker) sends to a stand-in for
// 棒読みちゃん that reads 20 characters a second: a burst of 200 lines from 20
// speakers, then one whisper. Counters:
//   whisper_reached_s   seconds from the whisper's hand-over to its arrival
//   whisper_heard_s     seconds until the stand-in began to read it
//   heard_at_once_s     the same wait when every line goes out at once, as
//                       before the queue: the characters ahead of it / 20
//   most_held           the most lines the stand-in held (limit + 1 allowed)
//   sent_twice          lines that arrived more than once
//   unaccounted         201 - arrived - waiting - stale - flood (0: exact)
//   dropped_flood, dropped_stale, arrived, waiting

#include <benchmark/benchmark.h>

#include <chrono>
#include <map>
#include <string>
#include <thread>

#include "core/speech/speech_client.h"
#include "core/speech/voice_params.h"
#include "support/fake_speech_program.h"

namespace {

using namespace std::chrono_literals;
using ruv::testing::FakeSpeechProgram;
using Clock = std::chrono::steady_clock;

constexpr int kShouts = 200;
constexpr int kSpeakers = 20;
constexpr double kCharactersPerSecond = 20;

std::string shout(int i) {
    return "guild" + std::to_string(i % kSpeakers) + " : raid now " + std::to_string(i);
}

double seconds(Clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

void BM_WhisperOvertakesAShoutBurst(benchmark::State& state) {
    for (auto _ : state) {
        FakeSpeechProgram program(kCharactersPerSecond);
        ruv::SpeechClientOptions options;
        options.policy = ruv::SpeechQueuePolicy{1, 60s, 3};
        ruv::SpeechClient client({}, options);
        const ruv::SpeechEndpoint endpoint{"127.0.0.1", program.port()};
        std::size_t charactersBefore = 0;
        for (int i = 0; i < kShouts; ++i) {
            const std::string text = shout(i);
            charactersBefore += text.size();
            client.Send({endpoint, ruv::speechRequestBytes(ruv::VoiceParams{}, text)},
                        {ruv::SpeechPriority::Normal, "guild" + std::to_string(i % kSpeakers)});
        }
        std::this_thread::sleep_for(1500ms);  // the burst is being read
        const std::string whisper = "friend : are you there";
        const auto handedOver = Clock::now();
        client.Send({endpoint, ruv::speechRequestBytes(ruv::VoiceParams{}, whisper)},
                    {ruv::SpeechPriority::High, "friend"});
        Clock::time_point reached{};
        Clock::time_point heard{};
        while (Clock::now() - handedOver < 30s && heard == Clock::time_point{}) {
            std::this_thread::sleep_for(5ms);
            for (const auto& taken : program.taken()) {
                if (taken.request.ends_with(whisper)) {
                    reached = taken.at;
                }
            }
            for (const auto& started : program.readingStarted()) {
                if (started.request == whisper) {
                    heard = started.at;
                }
            }
        }
        // Held still, so that what arrived and what waits add up.
        client.setPaused(true);
        std::this_thread::sleep_for(300ms);
        const ruv::SpeechQueueStatus status = client.status();
        const auto arrived = static_cast<double>(program.taken().size());
        client.stop();

        std::map<std::string, int> arrivals;
        for (const auto& taken : program.taken()) {
            ++arrivals[taken.request];
        }
        int sentTwice = 0;
        for (const auto& [request, count] : arrivals) {
            sentTwice += count > 1 ? 1 : 0;
        }
        state.counters["whisper_reached_s"] = seconds(reached - handedOver);
        state.counters["whisper_heard_s"] = seconds(heard - handedOver);
        state.counters["heard_at_once_s"] =
            static_cast<double>(charactersBefore) / kCharactersPerSecond;
        state.counters["most_held"] = static_cast<double>(program.mostHeld());
        state.counters["sent_twice"] = sentTwice;
        state.counters["arrived"] = arrived;
        state.counters["waiting"] = static_cast<double>(status.waiting);
        state.counters["dropped_flood"] = static_cast<double>(status.dropped.flood);
        state.counters["dropped_stale"] = static_cast<double>(status.dropped.stale);
        state.counters["unaccounted"] =
            kShouts + 1 - arrived - static_cast<double>(status.waiting + status.dropped.total());
    }
}

BENCHMARK(BM_WhisperOvertakesAShoutBurst)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

}  // namespace
