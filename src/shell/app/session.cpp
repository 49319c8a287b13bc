#include "shell/app/session.h"

#include "shell/app/ruvivuvaz.h"

namespace ruv {

Session::Session(TForm1& window, const AppEnvironment& environment)
    : clock(environment.clock != nullptr ? *environment.clock : systemClock),
      dialogMessages(&window),
      messages(environment.messages != nullptr ? *environment.messages : dialogMessages),
      errorLog(window),
      windowPorts(window),
      router(RoutePorts{windowPorts, windowPorts, windowPorts, callSounds, expEvents, speech},
             ngLists, window.unreadCounters()),
      live(router, files, errorLog, clock),
      logDisplay(window, messages),
      logChooser(&window),
      attaching(LogSessionPorts{logDisplay, follower, logChooser, expAttach, files, errorLog, clock,
                                timers}),
      expMonitor(window, *this) {}

}  // namespace ruv
