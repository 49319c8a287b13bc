#pragma once
// What the main window shows, held without a widget: the settings and switches
// (SessionState), the lines of every channel view, the unread counters, line
// routing and the log session (attaching of every kind, history, tidying,
// auto-attach). The window's controls write the state when the user changes
// them; the window turns commands into calls here, shows the views' lines as
// they change and shows what the ports are told.

#include "core/app/session_state.h"
#include "core/exp/exp_session.h"
#include "core/log/log_session.h"
#include "core/log/route_line.h"
#include "core/sound/call_sound_slots.h"
#include "core/speech/speak_line.h"
#include "core/views/channel_book.h"
#include "core/views/unread_counters.h"

namespace ruv {

struct ChatSessionPorts {
    TabSelection& tabs;
    TabCaptions& captions;
    RouteSettingsNotices& settingsNotices;
    // The call-sound players, in slot order; they must outlive the session.
    std::array<MediaPlayer*, kCallSoundSlotCount> soundPlayers;
    ExpPorts exp;
    ExpNotices& expNotices;
    // Null: attaching reports to the session's own EXP figures.
    ExpAttachEvents* attachExp;
    // Where routed lines' speech requests go.
    SpeechSink& speechSink;
    Attention& attention;
};

struct ChatSession {
    ChatSession(const ChatSessionPorts& ports, const LogSessionPorts& logPorts,
                LogSessionTiming timing = {});
    ChatSession(const ChatSession&) = delete;
    ChatSession& operator=(const ChatSession&) = delete;

    ~ChatSession();

    SessionState state;
    // Open the players of state.soundPaths; routing plays them.
    CallSoundSlots sounds;
    // The EXP figures, and the EXP, correction and level the user gave.
    ExpSession exp;
    // Speaks routed lines with the state's voices and the settings in force.
    SpeechBridge speech;
    ChannelBook book;
    UnreadCounters unread;
    LineRouter router;
    // Whether tidying holds a line back, by the state's NG lists and switches.
    TidyNgRule tidyNg{state.attach, state.route, state.ngLists};
    LogSession log;
};

}  // namespace ruv
