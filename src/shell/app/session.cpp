#include "shell/app/session.h"

namespace ruv {

Session::Session(const SessionWidgets& widgets, const AppEnvironment& environment)
    : clock(environment.clock != nullptr ? *environment.clock : systemClock),
      dialogMessages(&widgets.window),
      messages(environment.messages != nullptr ? *environment.messages : dialogMessages),
      errorTab(widgets.errorLog),
      statusOut(widgets.statusPanels),
      windowPorts(widgets.tabs, widgets.showKeywordSwitch),
      expTick(widgets.exp.tickTimer),
      timers(environment.timers != nullptr ? *environment.timers : eventLoopTimers),
      activityOut(widgets.activityPanel),
      logDisplay(widgets.window, widgets.menu, messages, statusBar),
      logChooser(&widgets.window),
      attention(widgets.window),
      core(ChatSessionPorts{windowPorts, windowPorts, windowPorts, sounds.players(),
                            ExpPorts{clock, expTick, errorLog, expQuestions, statusBar},
                            expRefreshes, environment.expAttach, speechSide.client(), attention,
                            &ruleSounds},
           LogSessionPorts{logDisplay, followed, logChooser, files, errorLog, clock, timers}),
      expMonitor(widgets.exp, core.exp, expRefreshes),
      live(core.router, files, errorLog, clock) {
    errorLog.countInto(core.unread);
    // A broken line is named once, whether followed or tidied first.
    live.nameUnreadableLinesIn(core.log.unreadableLines());
    // The totals show once a slice of lines is routed, not once per line.
    QObject::connect(&live, &LiveLog::linesRouted, &expMonitor, &ExpMonitor::flushRefresh);
    QObject::connect(&live, &LiveLog::linesRouted, &live, [this] { logActivity.grew(); });
}

}  // namespace ruv
