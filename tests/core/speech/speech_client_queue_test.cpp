// The speech client with its queue against a stand-in for the speech program
// on 127.0.0.1 that reads its own queue at a set speed.

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <thread>

#include "core/speech/speech_client.h"
#include "core/speech/voice_params.h"
#include "support/fake_speech_program.h"
#include "support/speech_reports.h"
#include "support/wait_until.h"

namespace ruv {
namespace {

using namespace std::chrono_literals;
using testing::FakeSpeechProgram;
using testing::RecordingSpeechReports;
using testing::waitUntil;
using Report = SpeechClientReport::Kind;

constexpr SpeechQueuePolicy kPaced{1, 60s, 3};

SpeechRequest line(std::uint16_t port, const std::string& message) {
    return {{"127.0.0.1", port}, speechRequestBytes(VoiceParams{}, message)};
}

std::string messageOf(const FakeSpeechProgram::Taken& taken) {
    return taken.request.substr(kSpeechHeaderBytes);
}

std::size_t reportsOf(RecordingSpeechReports& reports, Report kind) {
    std::size_t count = 0;
    for (const SpeechClientReport& report : reports.all()) {
        count += report.kind == kind ? 1 : 0;
    }
    return count;
}

SpeechClientOptions paced(SpeechQueuePolicy policy = kPaced) {
    SpeechClientOptions options;
    options.policy = policy;
    return options;
}

TEST(SpeechQueueOnTheWire, PacedLinesArriveOnceInOrderAndTheProgramNeverHoldsMoreThanItShould) {
    for (const int limit : {1, 3}) {
        SCOPED_TRACE(limit);
        FakeSpeechProgram program(400);
        RecordingSpeechReports reports;
        SpeechClient client(reports.fn(), paced({limit, 60s, 0}));
        for (int i = 0; i < 30; ++i) {
            client.Send(line(program.port(), "line " + std::to_string(i) + " of thirty"));
        }
        ASSERT_TRUE(client.waitUntilIdle(20s));
        ASSERT_TRUE(program.waitForTaken(30, 5s));
        const auto taken = program.taken();
        ASSERT_EQ(taken.size(), 30u);
        for (std::size_t i = 0; i < taken.size(); ++i) {
            EXPECT_EQ(messageOf(taken[i]), "line " + std::to_string(i) + " of thirty");
        }
        EXPECT_LE(program.mostHeld(), static_cast<std::size_t>(limit) + 1);
        EXPECT_GT(program.commands(0x0130), 0u);
        EXPECT_TRUE(reports.all().empty());
    }
}

TEST(SpeechQueueOnTheWire, WhisperHeldBehindAPauseGoesFirstOnResume) {
    FakeSpeechProgram program(400);
    RecordingSpeechReports reports;
    SpeechClient client(reports.fn(), paced());
    client.setEndpoint({"127.0.0.1", program.port()});
    client.setPaused(true);
    ASSERT_TRUE(waitUntil([&] { return program.paused(); }, 5s));
    client.Send(line(program.port(), "shout one"), {SpeechPriority::Normal, "a"});
    client.Send(line(program.port(), "shout two"), {SpeechPriority::Normal, "b"});
    client.Send(line(program.port(), "whisper"), {SpeechPriority::High, "c"});
    std::this_thread::sleep_for(300ms);
    EXPECT_TRUE(program.taken().empty());  // held here, not there
    EXPECT_EQ(client.status().waiting, 3u);
    EXPECT_TRUE(client.status().paused);

    client.setPaused(false);
    ASSERT_TRUE(program.waitForTaken(3, 10s));
    EXPECT_EQ(messageOf(program.taken()[0]), "whisper");
    EXPECT_FALSE(program.paused());
}

TEST(SpeechQueueOnTheWire, SkipAndClearReachTheProgramAndClearEmptiesTheQueueHere) {
    FakeSpeechProgram program(1);  // a line takes seconds: the rest wait
    RecordingSpeechReports reports;
    SpeechClient client(reports.fn(), paced());
    for (const char* text : {"first", "second", "third", "fourth"}) {
        client.Send(line(program.port(), text), {SpeechPriority::Normal, text});
    }
    ASSERT_TRUE(waitUntil([&] { return program.held() == 2; }, 10s));
    client.skipCurrent();
    ASSERT_TRUE(waitUntil([&] { return program.commands(0x0030) == 1; }, 5s));
    client.clearWaiting();
    EXPECT_EQ(client.status().waiting, 0u);
    ASSERT_TRUE(waitUntil([&] { return program.commands(0x0040) == 1; }, 5s));
    EXPECT_TRUE(waitUntil([&] { return program.held() <= 1; }, 5s));
    EXPECT_EQ(client.status().dropped.total(), 0u);  // cleared on purpose, not dropped
}

TEST(SpeechQueueOnTheWire, ProgramThatCannotPaceGetsEveryLineAtOnce) {
    FakeSpeechProgram program(5, FakeSpeechProgram::Mode::NeverAnswers);
    RecordingSpeechReports reports;
    SpeechClient client(reports.fn(), paced({1, 60s, 0}));
    for (int i = 0; i < 5; ++i) {
        client.Send(line(program.port(), "line " + std::to_string(i)));
    }
    ASSERT_TRUE(program.waitForTaken(5, 10s));
    EXPECT_EQ(client.status().link, SpeechLink::CannotPace);
    EXPECT_GE(program.mostHeld(), 3u);  // it queues them itself, as before
    EXPECT_TRUE(reports.all().empty());
}

TEST(SpeechQueueOnTheWire, ProgramDownThenUpGetsTheWaitingLinesOnceAndTheLogHearsOfItTwice) {
    std::uint16_t port = 0;
    {
        FakeSpeechProgram gone;
        port = gone.port();
    }
    RecordingSpeechReports reports;
    SpeechClient client(reports.fn(), paced({1, 4s, 3}));
    const auto started = std::chrono::steady_clock::now();
    client.Send(line(port, "stale soon"), {SpeechPriority::Normal, "a"});
    ASSERT_TRUE(waitUntil([&] { return client.status().link == SpeechLink::Down; }, 2s));
    EXPECT_LT(std::chrono::steady_clock::now() - started, 2s);
    EXPECT_EQ(client.status().downReason, platform::TcpFailure::Refused);

    std::this_thread::sleep_for(3s);
    client.Send(line(port, "whisper"), {SpeechPriority::High, "b"});
    client.Send(line(port, "shout"), {SpeechPriority::Normal, "c"});
    std::this_thread::sleep_for(1500ms);  // the first line is stale now
    FakeSpeechProgram program(400, FakeSpeechProgram::Mode::Answering, port);
    ASSERT_TRUE(program.waitForTaken(2, 10s));
    ASSERT_TRUE(client.waitUntilIdle(5s));
    const auto taken = program.taken();
    ASSERT_EQ(taken.size(), 2u);
    EXPECT_EQ(messageOf(taken[0]), "whisper");
    EXPECT_EQ(messageOf(taken[1]), "shout");

    EXPECT_EQ(reportsOf(reports, Report::OutageBegan), 1u);
    ASSERT_EQ(reportsOf(reports, Report::OutageEnded), 1u);
    for (const SpeechClientReport& report : reports.all()) {
        if (report.kind == Report::OutageEnded) {
            EXPECT_EQ(report.dropped, 1u);
        }
    }
    EXPECT_EQ(client.status().dropped, (DroppedLines{1, 0}));
}

TEST(SpeechQueueOnTheWire, StopEndsWithinASecondWhileTheProgramAcceptsAndNeverAnswers) {
    FakeSpeechProgram program(20, FakeSpeechProgram::Mode::Hangs);
    RecordingSpeechReports reports;
    SpeechClientOptions options = paced();
    options.questionTimeout = 60s;
    options.connectTimeout = 60s;
    auto client = std::make_unique<SpeechClient>(reports.fn(), options);
    for (int i = 0; i < 5; ++i) {
        client->Send(line(program.port(), "line"), {SpeechPriority::Normal, std::to_string(i)});
    }
    ASSERT_TRUE(program.waitForConnections(1, 5s));
    std::this_thread::sleep_for(100ms);
    const auto started = std::chrono::steady_clock::now();
    client.reset();
    EXPECT_LT(std::chrono::steady_clock::now() - started, 1s);
}

}  // namespace
}  // namespace ruv
