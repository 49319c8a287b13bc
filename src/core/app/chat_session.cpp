#include "core/app/chat_session.h"

namespace ruv {

ChatSession::ChatSession(const ChatSessionPorts& ports, const LogSessionPorts& logPorts,
                         LogSessionTiming timing)
    : unread(ports.captions),
      router(RoutePorts{ports.tabs, ports.settingsNotices, ports.sounds, ports.exp, ports.speech,
                        ports.attention},
             RouteState{switches, ngLists, book, unread}),
      log(logPorts, LogSessionState{book, unread}, timing) {}

}  // namespace ruv
