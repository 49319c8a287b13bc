#include "shell/app/session.h"

#include "shell/app/page_control.h"
#include "shell/app/ruvivuvaz.h"

namespace ruv {

Session::Session(TForm1& window, const AppEnvironment& environment)
    : clock(environment.clock != nullptr ? *environment.clock : systemClock),
      dialogMessages(&window),
      messages(environment.messages != nullptr ? *environment.messages : dialogMessages),
      errorLog(window),
      statusOut(window.statusPanels()),
      windowPorts(window),
      expMonitor(
          ExpMonitorControls{window.expTimer(), *window.expBasicPage(), *window.expExtendedPage(),
                             *window.pageControl()->page(Tab::Debug), *window.syncingLabel(),
                             *window.menu().rateInStatusBar, window.menu().intervals},
          clock, errorLog, messages, statusBar),
      timers(environment.timers != nullptr ? *environment.timers : eventLoopTimers),
      logDisplay(window, messages, statusBar),
      logChooser(&window),
      attention(window),
      core(ChatSessionPorts{windowPorts, windowPorts, windowPorts, sounds.soundSlots(), expMonitor,
                            speechSide, attention},
           LogSessionPorts{logDisplay, follower, logChooser,
                           environment.expAttach != nullptr ? *environment.expAttach : expMonitor,
                           files, errorLog, clock, timers}),
      live(core.router, files, errorLog, clock) {
    // The totals show once a slice of lines is routed, not once per line.
    QObject::connect(&live, &LiveLog::linesRouted, &expMonitor, &ExpMonitor::flushRefresh);
}

}  // namespace ruv
