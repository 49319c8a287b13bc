#include "shell/app/session.h"

#include "shell/app/ruvivuvaz.h"

namespace ruv {

Session::Session(TForm1& window, const AppEnvironment& environment)
    : clock(environment.clock != nullptr ? *environment.clock : systemClock),
      dialogMessages(&window),
      messages(environment.messages != nullptr ? *environment.messages : dialogMessages),
      errorLog(window),
      windowPorts(window, routeSwitches),
      expMonitor(window, clock, errorLog, messages),
      router(RoutePorts{windowPorts, switchPort, windowPorts, sounds.soundSlots(), expMonitor,
                        speechSide},
             ngLists, unread),
      live(router, files, errorLog, clock),
      logDisplay(window, messages),
      logChooser(&window),
      attaching(
          LogSessionPorts{logDisplay, follower, logChooser,
                          environment.expAttach != nullptr ? *environment.expAttach : expMonitor,
                          files, errorLog, clock, timers}) {
    // The totals show once a slice of lines is routed, not once per line.
    QObject::connect(&live, &LiveLog::linesRouted, &expMonitor, &ExpMonitor::flushRefresh);
}

}  // namespace ruv
