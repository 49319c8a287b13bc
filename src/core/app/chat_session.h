#pragma once
// What the main window shows, held without a widget: routing's switches as
// plain data, the lines of every channel view, the NG lists, the unread
// counters, line routing and the log session (attaching of every kind,
// history, tidying, auto-attach). The window keeps the switches in step with
// its controls, turns user actions into calls here, shows the views' lines as
// they change and shows what the ports are told.

#include "core/log/log_session.h"
#include "core/log/route_line.h"
#include "core/log/route_settings.h"
#include "core/views/channel_book.h"
#include "core/views/ng_lists.h"
#include "core/views/unread_counters.h"

namespace ruv {

struct ChatSessionPorts {
    TabSelection& tabs;
    TabCaptions& captions;
    RouteSettingsNotices& settingsNotices;
    CallSounds& sounds;
    ExpEvents& exp;
    SpeechOut& speech;
    Attention& attention;
};

struct ChatSession {
    ChatSession(const ChatSessionPorts& ports, const LogSessionPorts& logPorts,
                LogSessionTiming timing = {});
    ChatSession(const ChatSession&) = delete;
    ChatSession& operator=(const ChatSession&) = delete;

    RouteSettings switches;
    ChannelBook book;
    NgLists ngLists;
    UnreadCounters unread;
    LineRouter router;
    LogSession log;
};

}  // namespace ruv
