#include "core/app/chat_session.h"

namespace ruv {

ChatSession::ChatSession(const ChatSessionPorts& ports, const LogSessionPorts& logPorts,
                         LogSessionTiming timing)
    : unread(ports.captions),
      router(RoutePorts{ports.views, switchPort, ports.keywords, ports.sounds, ports.exp,
                        ports.speech, ports.attention},
             ngLists, unread),
      log(logPorts, timing) {}

}  // namespace ruv
