// Handing lines to SpeakLine must cost routing nothing, whatever the speech
// server does. Each run routes 10,000 generated lines once without speech and
// once with speech; the counter ratio_to_without_speech compares the two.

#include <benchmark/benchmark.h>

#include <time.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/lines/chat_format.h"
#include "core/speech/speak_line.h"
#include "core/speech/speech_client.h"
#include "support/accept_queue_filler.h"
#include "support/cp932_text.h"
#include "support/recording_tcp_server.h"

namespace {

using ruv::testing::AcceptQueueFiller;
using ruv::testing::RecordingTcpServer;
using ruv::testing::sj;
using Clock = std::chrono::steady_clock;

constexpr int kLines = 10'000;

// Chat lines of the game's layout: marker, time stamp, tag block, body.
const std::vector<std::string>& logLines() {
    static const std::vector<std::string> lines = [] {
        namespace m = ruv::markers;
        const std::string tags[] = {std::string("</font>") + std::string(m::kTeam),
                                    std::string("</font>") + std::string(m::kClub),
                                    std::string("</font>") + std::string(m::kShout),
                                    std::string(m::kOpenGreenBefore)};
        std::vector<std::string> out;
        out.reserve(kLines);
        for (int i = 0; i < kLines; ++i) {
            // A speaker, then a message of varying length.
            out.push_back(std::string(m::kLine) + " [2024/05/01 20:00] " + tags[i % 4] +
                          sj("キャラ") + std::to_string(i % 7) + " : message " +
                          std::string(static_cast<std::size_t>(i % 90), 'x') +
                          std::string(m::kLineClose));
        }
        return out;
    }();
    return lines;
}

ruv::SpeakerLine speakerFlag(const ruv::ChatLine& line) {
    using ruv::ChatChannel;
    const auto c = line.channel;
    return c == ChatChannel::Open || c == ChatChannel::Team || c == ChatChannel::Club ||
                   c == ChatChannel::Whis
               ? ruv::SpeakerLine::Yes
               : ruv::SpeakerLine::No;
}

// Routing's own work on a line: cutting it into its parts.
std::size_t routeAll(ruv::SpeechOut* speech) {
    std::size_t bytes = 0;
    for (const std::string& raw : logLines()) {
        const ruv::ChatLine line = ruv::ChatLine::fromLogLine(raw);
        bytes += line.display.size();
        if (speech != nullptr && line.channel) {
            speech->SpeakLine(line.body, speakerFlag(line), ruv::SpeechPriority::Normal);
        }
    }
    return bytes;
}

double threadCpuSeconds() {
    timespec now{};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

enum class Server { NotListening, AcceptsNeverReads, NeverAnswers };

void BM_SpeakLineCostsRoutingNothing(benchmark::State& state) {
    const auto kind = static_cast<Server>(state.range(0));
    std::uint16_t port = 0;
    std::unique_ptr<RecordingTcpServer> server;
    std::unique_ptr<AcceptQueueFiller> backlog;
    if (kind == Server::NotListening) {
        port = ruv::testing::closedLocalPort();
    } else {
        server = std::make_unique<RecordingTcpServer>(
            kind == Server::AcceptsNeverReads ? RecordingTcpServer::Mode::AcceptNeverRead
                                              : RecordingTcpServer::Mode::NeverAccept);
        port = server->port();
        if (kind == Server::NeverAnswers) {
            backlog = std::make_unique<AcceptQueueFiller>(port);
        }
    }

    std::atomic<std::size_t> dropped{0};
    ruv::SpeechClient client([&](const ruv::SpeechClientReport& r) { dropped += r.dropped; });
    const ruv::VoiceList voices;
    ruv::SpeechBridge bridge(client, voices);
    ruv::SpeechSettings settings;
    settings.endpoint = {"127.0.0.1", port};
    bridge.setSettings(settings);
    logLines();

    Clock::duration without{};
    Clock::duration with{};
    double cpuWithout = 0;
    double cpuWith = 0;
    for (auto _ : state) {
        auto start = Clock::now();
        double cpuStart = threadCpuSeconds();
        benchmark::DoNotOptimize(routeAll(nullptr));
        without += Clock::now() - start;
        cpuWithout += threadCpuSeconds() - cpuStart;
        start = Clock::now();
        cpuStart = threadCpuSeconds();
        benchmark::DoNotOptimize(routeAll(&bridge));
        with += Clock::now() - start;
        cpuWith += threadCpuSeconds() - cpuStart;
    }
    client.stop();
    state.counters["ratio_to_without_speech"] =
        std::chrono::duration<double>(with) / std::chrono::duration<double>(without);
    // The routing thread's own processor time, which the worker cannot take.
    state.counters["cpu_ratio_to_without_speech"] = cpuWith / cpuWithout;
    state.counters["dropped_per_run"] =
        static_cast<double>(dropped.load()) / static_cast<double>(state.iterations());
}

BENCHMARK(BM_SpeakLineCostsRoutingNothing)
    ->ArgName("server")
    ->Arg(static_cast<int>(Server::NotListening))
    ->Arg(static_cast<int>(Server::AcceptsNeverReads))
    ->Arg(static_cast<int>(Server::NeverAnswers))
    ->Unit(benchmark::kMillisecond);

}  // namespace
