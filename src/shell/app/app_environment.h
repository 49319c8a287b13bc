#pragma once
// What the main window takes from outside: where its settings files live, the
// clock, the timers and the message boxes. Tests pass a temporary folder, a
// set clock, timers that move when told, recorded answers, their own answer
// to whether the folder takes files and, to watch what attaching tells the EXP
// monitor, their own recorder.

#include <filesystem>
#include <functional>

namespace ruv {

namespace platform {
class Clock;
class Timers;
}  // namespace platform
class UserMessages;
class ExpAttachEvents;

struct AppEnvironment {
    // The folder of config.ini and the list files; empty: none are read or written.
    std::filesystem::path settingsFolder;
    // Null: the machine's local time.
    const platform::Clock* clock = nullptr;
    // Null: real message boxes over the window.
    UserMessages* messages = nullptr;
    // Null: attaching reports to the session's EXP figures.
    ExpAttachEvents* expAttach = nullptr;
    // Null: timers on the event loop.
    platform::Timers* timers = nullptr;
    // Whether the settings folder takes files; empty: a probe file is written there.
    std::function<bool(const std::filesystem::path&)> folderTakesFiles{};
};

}  // namespace ruv
