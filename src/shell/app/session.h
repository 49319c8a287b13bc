#pragma once
// The run-time state the main window owns, and the wiring between it: the
// followed log, routing with its ports, the NG lists and the error log.

#include <memory>

#include "core/config/config_store.h"
#include "core/log/log_session.h"
#include "core/log/route_line.h"
#include "core/log/route_settings.h"
#include "core/platform/clock.h"
#include "core/platform/shared_file.h"
#include "core/views/ng_lists.h"
#include "core/views/unread_counters.h"
#include "shell/app/app_environment.h"
#include "shell/app/window_error_log.h"
#include "shell/app/window_log_display.h"
#include "shell/app/window_route_ports.h"
#include "shell/exp/exp_monitor.h"
#include "shell/log/live_log.h"
#include "shell/log/live_log_follower.h"
#include "shell/log/log_file_dialog.h"
#include "shell/platform/qt_timers.h"
#include "shell/platform/user_messages.h"
#include "shell/sound/call_sound_area.h"
#include "shell/speech/speech_side.h"

namespace ruv {

class TForm1;

struct Session {
    Session(TForm1& window, const AppEnvironment& environment);

    platform::SystemClock systemClock;
    const platform::Clock& clock;
    DialogUserMessages dialogMessages;
    UserMessages& messages;
    platform::NativeFileOpener files;
    WindowErrorLog errorLog;

    // The switches routing reads, kept in step with their controls by the window.
    RouteSettings routeSwitches;
    SettingsSwitches switchPort{routeSwitches};
    WindowRoutePorts windowPorts;
    // Shown in the tab captions; routing raises them, a press on a tab and
    // attaching a log reset them.
    UnreadCounters unread{windowPorts};
    NgLists ngLists;
    // Made before routing and attaching, which are given them as their ports.
    CallSoundArea sounds;
    ExpMonitor expMonitor;
    // Rows 51-58 as stored; the read mode (row 60) is routeSwitches.readMode.
    SpeechSettingTexts speechSettingTexts = speechSettingResetTexts();
    SpeechSide speechSide{errorLog, clock};
    LineRouter router;
    LiveLog live;

    // --- views context menu, find and NG dialog ---

    // --- attaching and history ---
    QtTimers timers;
    LiveLogFollower follower{live};
    WindowLogDisplay logDisplay;
    DialogLogChooser logChooser;
    LogSession attaching;

    // --- settings at start-up and exit ---
    config::ConfigStore configStore;
};

}  // namespace ruv
