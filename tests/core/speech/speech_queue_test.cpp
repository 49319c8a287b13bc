// The speech queue and its pacer on a clock that moves only when told.

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "core/speech/speech_pacer.h"
#include "core/speech/speech_queue.h"

namespace ruv {
namespace {

using namespace std::chrono_literals;
using platform::TcpFailure;
using Kind = PacerStep::Kind;

constexpr SpeechPriority kHigh = SpeechPriority::High;
constexpr SpeechPriority kNormal = SpeechPriority::Normal;

SpeechRequest line(const std::string& text) {
    return {{"127.0.0.1", 50001}, text};
}

std::vector<std::string> drain(SpeechQueue& queue) {
    std::vector<std::string> taken;
    while (auto next = queue.take()) {
        taken.push_back(next->request.bytes);
    }
    return taken;
}

struct Pushed {
    std::string text;
    std::string speaker;
    SpeechPriority priority = kNormal;
};

struct QueueCase {
    const char* name;
    SpeechQueuePolicy policy;
    std::vector<Pushed> pushed;
    std::vector<std::string> sentInOrder;
    std::size_t floodDropped;
};

TEST(SpeechQueue, OrdersByPriorityThenAgeAndLimitsEachSpeaker) {
    const SpeechQueuePolicy limit3{1, 60s, 3};
    const SpeechQueuePolicy unlimited{1, 60s, 0};
    const std::vector<QueueCase> cases{
        {"whispers and urgent phrases overtake, oldest first within a level",
         limit3,
         {{"a1", "a"}, {"w1", "w", kHigh}, {"b1", "b"}, {"p1", "", kHigh}},
         {"w1", "p1", "a1", "b1"},
         0},
        {"a fourth line of one speaker drops that speaker's oldest",
         limit3,
         {{"a1", "a"}, {"b1", "b"}, {"a2", "a"}, {"a3", "a"}, {"a4", "a"}},
         {"b1", "a2", "a3", "a4"},
         1},
        {"lines without a speaker count as one speaker",
         limit3,
         {{"x1", ""}, {"x2", ""}, {"x3", ""}, {"x4", ""}, {"x5", ""}},
         {"x3", "x4", "x5"},
         2},
        {"whispers are exempt and do not count against their speaker",
         limit3,
         {{"w1", "a", kHigh},
          {"w2", "a", kHigh},
          {"w3", "a", kHigh},
          {"w4", "a", kHigh},
          {"a1", "a"}},
         {"w1", "w2", "w3", "w4", "a1"},
         0},
        {"no limit keeps every line",
         unlimited,
         {{"a1", "a"}, {"a2", "a"}, {"a3", "a"}, {"a4", "a"}, {"a5", "a"}},
         {"a1", "a2", "a3", "a4", "a5"},
         0},
    };
    for (const QueueCase& c : cases) {
        SCOPED_TRACE(c.name);
        SpeechQueue queue;
        queue.setPolicy(c.policy);
        for (const Pushed& p : c.pushed) {
            queue.push(line(p.text), {p.priority, p.speaker}, 0s);
        }
        EXPECT_EQ(drain(queue), c.sentInOrder);
        EXPECT_EQ(queue.dropped(), (DroppedLines{0, c.floodDropped}));
    }
}

TEST(SpeechQueue, DropsLinesOlderThanTheLimitAndNeverWithZero) {
    for (const auto staleAfter : {60s, 0s}) {
        SpeechQueue queue;
        queue.setPolicy({1, staleAfter, 3});
        queue.push(line("old"), {}, 0s);
        queue.push(line("young"), {kHigh, "w"}, 30s);
        EXPECT_EQ(queue.dropStale(60s), 0u);  // exactly the limit is not too old
        const std::size_t dropped = queue.dropStale(61s);
        if (staleAfter == 0s) {
            EXPECT_EQ(dropped, 0u);
            EXPECT_EQ(queue.size(), 2u);
        } else {
            EXPECT_EQ(dropped, 1u);
            EXPECT_EQ(drain(queue), std::vector<std::string>{"young"});
            EXPECT_EQ(queue.dropped(), (DroppedLines{1, 0}));
        }
    }
}

TEST(SpeechQueue, LineThatCouldNotBeSentGoesBackToItsPlace) {
    SpeechQueue queue;
    queue.push(line("first"), {}, 0s);
    queue.push(line("second"), {}, 1s);
    auto taken = queue.take();
    ASSERT_TRUE(taken);
    queue.push(line("third"), {}, 2s);
    queue.putBack(std::move(*taken));
    EXPECT_EQ(drain(queue), (std::vector<std::string>{"first", "second", "third"}));
}

class SpeechPacerTest : public ::testing::Test {
  protected:
    void SetUp() override { pacer.queue().setPolicy({1, 60s, 3}); }

    void push(const std::string& text, SpeechPriority priority = kNormal) {
        pacer.queue().push(line(text), {priority, text}, now);
    }
    PacerStep step() { return pacer.next(now); }
    // Takes the line to send and reports it delivered.
    std::string sendNext() {
        auto next = pacer.queue().take();
        EXPECT_TRUE(next);
        EXPECT_FALSE(pacer.sendTried(std::nullopt, now));
        return next ? next->request.bytes : std::string();
    }

    SpeechPacer pacer;
    SpeechTime now{1h};
};

TEST_F(SpeechPacerTest, SendsOnlyWhileFewerThanTheLimitWaitThere) {
    push("a");
    push("b");
    ASSERT_EQ(step().kind, Kind::AskCount);
    EXPECT_FALSE(pacer.countAnswered(1, now));  // full: look again shortly
    PacerStep wait = step();
    ASSERT_EQ(wait.kind, Kind::Wait);
    EXPECT_EQ(wait.wakeAt, now + 200ms);

    now += 200ms;
    ASSERT_EQ(step().kind, Kind::AskCount);
    pacer.countAnswered(0, now);
    ASSERT_EQ(step().kind, Kind::Send);
    EXPECT_EQ(sendNext(), "a");
    // The line just sent may be the one waiting there: ask before the next.
    EXPECT_EQ(step().kind, Kind::Wait);
    now += 200ms;
    EXPECT_EQ(step().kind, Kind::AskCount);
}

TEST_F(SpeechPacerTest, RoomForSeveralLinesSendsThemWithoutAskingBetween) {
    pacer.queue().setPolicy({3, 60s, 0});
    for (const char* text : {"a", "b", "c", "d"}) {
        push(text);
    }
    ASSERT_EQ(step().kind, Kind::AskCount);
    pacer.countAnswered(1, now);
    for (const char* expected : {"a", "b"}) {
        ASSERT_EQ(step().kind, Kind::Send);
        EXPECT_EQ(sendNext(), expected);
    }
    EXPECT_EQ(step().kind, Kind::Wait);
}

TEST_F(SpeechPacerTest, ZeroLimitSendsAtOnceWithoutAsking) {
    pacer.queue().setPolicy({0, 60s, 0});
    push("a");
    EXPECT_EQ(step().kind, Kind::Send);
}

TEST_F(SpeechPacerTest, ProgramThatCannotPaceGetsLinesAtOnceAndIsAskedAgainLater) {
    push("a");
    push("b");
    ASSERT_EQ(step().kind, Kind::AskCount);
    EXPECT_FALSE(pacer.countUnanswered(TcpFailure::NoAnswer, now));  // it was reached
    EXPECT_EQ(pacer.link(), SpeechLink::CannotPace);
    ASSERT_EQ(step().kind, Kind::Send);
    sendNext();
    ASSERT_EQ(step().kind, Kind::Send);
    sendNext();

    push("c");
    now += 30s - 1ms;
    EXPECT_EQ(step().kind, Kind::Send);
    now += 1ms;
    ASSERT_EQ(step().kind, Kind::AskCount);
    pacer.countAnswered(0, now);
    EXPECT_EQ(pacer.link(), SpeechLink::Pacing);
}

TEST_F(SpeechPacerTest, OutageIsToldOnceKeepsLinesUntilStaleAndEndsWithTheDroppedCount) {
    push("old");
    ASSERT_EQ(step().kind, Kind::AskCount);
    const auto began = pacer.countUnanswered(TcpFailure::Refused, now);
    ASSERT_TRUE(began);
    EXPECT_EQ(began->kind, SpeechOutage::Kind::Began);
    EXPECT_EQ(began->reason, TcpFailure::Refused);
    EXPECT_EQ(pacer.link(), SpeechLink::Down);

    // Tried again every second, told no more.
    for (int i = 0; i < 30; ++i) {
        EXPECT_EQ(step().kind, Kind::Wait);
        now += 1s;
        ASSERT_EQ(step().kind, Kind::AskCount);
        EXPECT_FALSE(pacer.countUnanswered(TcpFailure::TimedOut, now));
    }
    EXPECT_EQ(pacer.downReason(), TcpFailure::TimedOut);
    push("young", kHigh);
    now += 31s;  // "old" waited 61 s
    ASSERT_EQ(step().kind, Kind::AskCount);
    EXPECT_EQ(pacer.queue().size(), 1u);

    const auto ended = pacer.countAnswered(0, now);
    ASSERT_TRUE(ended);
    EXPECT_EQ(ended->kind, SpeechOutage::Kind::Ended);
    EXPECT_EQ(ended->droppedMeanwhile, 1u);
    ASSERT_EQ(step().kind, Kind::Send);
    EXPECT_EQ(sendNext(), "young");
}

TEST_F(SpeechPacerTest, SendingAtOnceAlsoNoticesAnOutageAndItsEnd) {
    pacer.queue().setPolicy({0, 0s, 0});
    push("a");
    ASSERT_EQ(step().kind, Kind::Send);
    auto taken = pacer.queue().take();
    ASSERT_TRUE(taken);
    pacer.queue().putBack(std::move(*taken));
    EXPECT_TRUE(pacer.sendTried(TcpFailure::Refused, now));
    EXPECT_EQ(step().kind, Kind::Wait);
    now += 1s;
    ASSERT_EQ(step().kind, Kind::Send);
    ASSERT_TRUE(pacer.queue().take());
    const auto ended = pacer.sendTried(std::nullopt, now);
    ASSERT_TRUE(ended);
    EXPECT_EQ(ended->kind, SpeechOutage::Kind::Ended);
}

TEST_F(SpeechPacerTest, PauseHoldsEveryLineButStaleOnesAreStillCounted) {
    push("a");
    pacer.setPaused(true);
    EXPECT_EQ(step().kind, Kind::Wait);
    now += 61s;
    EXPECT_EQ(step().kind, Kind::Wait);
    EXPECT_EQ(pacer.queue().dropped(), (DroppedLines{1, 0}));
    push("b");
    pacer.setPaused(false);
    EXPECT_EQ(step().kind, Kind::AskCount);
}

TEST_F(SpeechPacerTest, WaitingLinesWakeThePacerToCountStaleOnesPromptly) {
    push("a");
    pacer.setPaused(true);
    EXPECT_LE(step().wakeAt, now + 1s);
    pacer.queue().clear();
    EXPECT_EQ(step().wakeAt, SpeechTime::max());
}

TEST_F(SpeechPacerTest, WatchingAsksNowAndThenWhileNothingWaits) {
    pacer.setWatching(true);
    push("a");
    ASSERT_EQ(step().kind, Kind::AskCount);
    pacer.countAnswered(0, now);
    sendNext();
    EXPECT_EQ(step().wakeAt, now + 2s);
    now += 2s;
    ASSERT_EQ(step().kind, Kind::AskCount);
    pacer.countUnanswered(TcpFailure::Refused, now);
    EXPECT_EQ(step().wakeAt, now + 1s);  // down: tried more often

    pacer.setWatching(false);
    EXPECT_EQ(step().wakeAt, SpeechTime::max());
}

}  // namespace
}  // namespace ruv
