#include "shell/app/session.h"

namespace ruv {

Session::Session(const SessionWidgets& widgets, const AppEnvironment& environment)
    : clock(environment.clock != nullptr ? *environment.clock : systemClock),
      dialogMessages(&widgets.window),
      messages(environment.messages != nullptr ? *environment.messages : dialogMessages),
      errorLog(widgets.errorLog),
      statusOut(widgets.statusPanels),
      windowPorts(widgets.tabs, widgets.showKeywordSwitch),
      expMonitor(widgets.exp, clock, errorLog, messages, statusBar),
      timers(environment.timers != nullptr ? *environment.timers : eventLoopTimers),
      logDisplay(widgets.window, widgets.menu, messages, statusBar),
      logChooser(&widgets.window),
      attention(widgets.window),
      core(ChatSessionPorts{windowPorts, windowPorts, windowPorts, sounds.players(), expMonitor,
                            speechSide, attention},
           LogSessionPorts{logDisplay, follower, logChooser,
                           environment.expAttach != nullptr ? *environment.expAttach : expMonitor,
                           files, errorLog, clock, timers}),
      live(core.router, files, errorLog, clock) {
    // The totals show once a slice of lines is routed, not once per line.
    QObject::connect(&live, &LiveLog::linesRouted, &expMonitor, &ExpMonitor::flushRefresh);
}

}  // namespace ruv
