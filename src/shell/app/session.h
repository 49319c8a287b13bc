#pragma once
// What the main window runs on: the core session, which holds the state, and
// the shell objects that serve as its ports (tabs, call-sound players, the EXP
// clock and questions, the speech client, the followed log, timers, dialogs
// and the error log), with the EXP monitor that shows the session's figures.

#include <array>
#include <functional>
#include <memory>

#include "core/app/chat_session.h"
#include "core/app/status_bar_share.h"
#include "core/config/config_store.h"
#include "core/platform/clock.h"
#include "core/platform/shared_file.h"
#include "core/views/counting_error_log.h"
#include "shell/app/app_environment.h"
#include "shell/app/qt_attention.h"
#include "shell/app/window_error_log.h"
#include "shell/app/window_log_display.h"
#include "shell/app/window_route_ports.h"
#include "shell/app/window_status_bar.h"
#include "shell/exp/exp_monitor.h"
#include "shell/exp/exp_port_adapters.h"
#include "shell/log/live_log.h"
#include "shell/log/live_log_follower.h"
#include "shell/log/log_file_dialog.h"
#include "shell/platform/qt_timers.h"
#include "shell/platform/user_messages.h"
#include "shell/rules/rule_sound_players.h"
#include "shell/sound/call_sound_area.h"
#include "shell/speech/speech_side.h"

namespace ruv {

class PageControl;
struct MenuActions;

// What the session's shell ports act on, built by the window before the session.
struct SessionWidgets {
    QWidget& window;
    PageControl& tabs;
    QPlainTextEdit& errorLog;
    std::array<QLabel*, 2> statusPanels;
    // Beside them: whether the log is alive.
    QLabel& activityPanel;
    const MenuActions& menu;
    ExpMonitorControls exp;
    // Shows a keyword row's switch as the session now holds it.
    std::function<void(ChatChannel)> showKeywordSwitch;
};

struct Session {
    Session(const SessionWidgets& widgets, const AppEnvironment& environment);

    platform::SystemClock systemClock;
    const platform::Clock& clock;
    DialogUserMessages dialogMessages;
    UserMessages& messages;
    platform::NativeFileOpener files;
    WindowErrorLog errorTab;

    // The ports of the core session, made before it.
    WindowStatusBar statusOut;
    StatusBarShare statusBar{statusOut};
    WindowRoutePorts windowPorts;
    // What the program writes to: the tab, with its count while another tab is current.
    CountingErrorLog errorLog{errorTab, windowPorts};
    // The same, for writers whose lines carry no date and time of their own.
    platform::DatedErrorLog datedErrorLog{errorLog, clock};
    CallSoundArea sounds;
    // The EXP figures' ports: Timer01, the yes/no questions, the refresh notice.
    QtTickTimer expTick;
    MessageBoxQuestions expQuestions{messages};
    ExpRefreshSignal expRefreshes;
    SpeechSide speechSide{errorLog, clock};
    QtTimers eventLoopTimers;
    platform::Timers& timers;
    // Follows the live log made after the core session, whose router it reads with.
    LiveLogFollower follower{live};
    // When the followed log last grew, and whether it stopped.
    WindowLogActivity activityOut;
    LogActivity logActivity{clock, timers, activityOut};
    ActivityFollowedLog followed{follower, logActivity};
    WindowLogDisplay logDisplay;
    DialogLogChooser logChooser;
    // The taskbar alert; routing asks it only while RouteSettings::callAlert is on.
    QtAttention attention;
    // The notification rules' sounds, one player per file.
    RuleSoundPlayers ruleSounds{datedErrorLog};

    ChatSession core;
    ExpMonitor expMonitor;
    LiveLog live;

    // --- settings at start-up and exit ---
    config::ConfigStore configStore;
};

}  // namespace ruv
