#pragma once
// Fakes for the EXP monitor's ports and a harness that delivers ticks the way
// a periodic timer would, driven by a fake clock.

#include <chrono>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "core/exp/exp_ports.h"
#include "core/exp/exp_stats.h"
#include "core/exp/level_forecast.h"
#include "support/cp932_text.h"

namespace ruv::testing {

struct FakeClock : platform::Clock {
    platform::LocalDateTime wall{2024, 5, 6, 7, 8, 9};
    platform::LocalDateTime now() const override { return wall; }
};

struct FakeTimer : TickTimer {
    bool running = false;
    std::chrono::milliseconds period{0};
    std::int64_t nowMs = 0;
    std::int64_t nextTickMs = 0;

    void start() override {
        running = true;
        nextTickMs = nowMs + period.count();
    }
    void stop() override { running = false; }
    // Like a real timer, a new period restarts the count from now.
    void setPeriod(std::chrono::milliseconds p) override {
        period = p;
        nextTickMs = nowMs + period.count();
    }
};

struct FakeErrors : platform::ErrorLog {
    std::vector<std::string> lines;
    void append(std::string_view line) override { lines.emplace_back(line); }
};

struct FakeQuestions : YesNoQuestion {
    Answer answer = Answer::Yes;
    std::vector<std::pair<std::string, std::string>> asked;
    Answer ask(std::string_view title, std::string_view text) override {
        asked.emplace_back(title, text);
        return answer;
    }
};

struct FakeStatusBar : StatusBarPanels {
    std::string panel0;
    std::string panel1;
    void showPanels(std::string_view p0, std::string_view p1) override {
        panel0 = p0;
        panel1 = p1;
    }
};

struct ExpHarness {
    FakeClock clock;
    FakeTimer timer;
    FakeErrors errors;
    FakeQuestions questions;
    FakeStatusBar statusBar;
    LevelForecast forecast;
    ExpStats stats{forecast, ExpPorts{clock, timer, errors, questions, statusBar}};
    std::vector<std::int64_t> tickTimesMs;

    // Lets `seconds` of wall time pass, ticking whenever the timer is due.
    void runFor(std::int64_t seconds) {
        const std::int64_t endMs = timer.nowMs + seconds * 1000;
        while (timer.running && timer.nextTickMs <= endMs) {
            timer.nowMs = timer.nextTickMs;
            timer.nextTickMs += timer.period.count();
            tickTimesMs.push_back(timer.nowMs);
            stats.tick();
        }
        timer.nowMs = endMs;
    }
};

}  // namespace ruv::testing
