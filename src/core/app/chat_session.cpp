#include "core/app/chat_session.h"

namespace ruv {

ChatSession::ChatSession(const ChatSessionPorts& ports, const LogSessionPorts& logPorts,
                         LogSessionTiming timing)
    : sounds(ports.soundPlayers, state.soundPaths),
      unread(ports.captions),
      router(RoutePorts{ports.tabs, ports.settingsNotices, sounds, ports.exp, ports.speech,
                        ports.attention},
             RouteState{state.route, state.ngLists, book, unread}),
      log(logPorts, LogSessionState{book, unread, state.attach}, timing) {}

ChatSession::~ChatSession() {
    sounds.CloseCallSounds();
}

}  // namespace ruv
