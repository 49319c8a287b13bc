#pragma once
// What the main window shows, held without a widget: routing's switches as
// plain data, the NG lists, the unread counters, line routing and the log
// session (attaching of every kind, history, tidying, auto-attach). The window
// keeps the switches in step with its controls, turns user actions into calls
// here and shows what the ports are told.

#include "core/log/log_session.h"
#include "core/log/route_line.h"
#include "core/log/route_settings.h"
#include "core/views/ng_lists.h"
#include "core/views/unread_counters.h"

namespace ruv {

struct ChatSessionPorts {
    RouteViews& views;
    TabCaptions& captions;
    KeywordRows& keywords;
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
    SettingsSwitches switchPort{switches};
    NgLists ngLists;
    UnreadCounters unread;
    LineRouter router;
    LogSession log;
};

}  // namespace ruv
