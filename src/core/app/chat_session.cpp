#include "core/app/chat_session.h"

namespace ruv {

ChatSession::ChatSession(const ChatSessionPorts& ports, const LogSessionPorts& logPorts,
                         LogSessionTiming timing)
    : sounds(ports.soundPlayers, state.soundPaths),
      exp(ports.exp, ports.expNotices),
      speech(ports.speechSink, state.voices),
      unread(ports.captions),
      router(RoutePorts{ports.tabs, ports.settingsNotices, sounds, exp, speech, ports.attention},
             RouteState{state.route, state.ngLists, book, unread}),
      log(logPorts,
          LogSessionState{book, unread, state.attach,
                          ports.attachExp != nullptr ? *ports.attachExp : exp},
          timing) {
    log.holdBackWith(tidyNg);
}

ChatSession::~ChatSession() {
    sounds.CloseCallSounds();
}

}  // namespace ruv
