#include "core/app/chat_session.h"

#include "core/text/cp932.h"

namespace ruv {

namespace {

// An error-log line of UTF-8 text, in the log's CP932; a character CP932
// cannot hold becomes "?".
std::string errorLine(std::string_view utf8) {
    if (std::optional<std::string> cp932Text = cp932::fromUtf8(utf8)) {
        return *std::move(cp932Text);
    }
    std::string ascii;
    for (const char c : utf8) {
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) {
            ascii += static_cast<unsigned char>(c) < 0x80 ? c : '?';
        }
    }
    return ascii;
}

void reportProblems(const std::vector<RuleProblem>& problems, const std::filesystem::path& file,
                    platform::ErrorLog& errors) {
    const std::u8string name = file.u8string();
    for (const RuleProblem& problem : problems) {
        errors.append(errorLine("通知ルール「" + problem.name + "」は使えません。 " +
                                std::string(name.begin(), name.end()) + ": rule \"" + problem.name +
                                "\": " + problem.reason));
    }
}

}  // namespace

ChatSession::ChatSession(const ChatSessionPorts& ports, const LogSessionPorts& logPorts,
                         LogSessionTiming timing)
    : sounds(ports.soundPlayers, state.soundPaths),
      exp(ports.exp, ports.expNotices),
      speech(ports.speechSink, state.voices),
      unread(ports.captions),
      router(RoutePorts{ports.tabs, ports.settingsNotices, sounds, exp, speech, ports.attention},
             RouteState{state.route, state.ngLists, book, unread},
             RuleRouting{rules, ports.ruleSounds != nullptr ? *ports.ruleSounds : silentRuleSounds_,
                         speech}),
      log(logPorts,
          LogSessionState{book, unread, state.attach,
                          ports.attachExp != nullptr ? *ports.attachExp : exp},
          timing),
      timerAlarms(ports.ruleSounds != nullptr ? *ports.ruleSounds : silentRuleSounds_, speech,
                  ports.attention, state.route),
      timers(LiveTimerPorts{logPorts.clock, logPorts.timers, timerAlarms, logPorts.errors}) {
    rules.sendTimersTo(&timers);
    log.colourTidiedLinesBy(rules);
    log.holdBackWith(tidyNg);
}

ChatSession::~ChatSession() {
    sounds.CloseCallSounds();
}

void ChatSession::loadRules(const std::filesystem::path& settingsFolder,
                            platform::ErrorLog& errors) {
    const std::filesystem::path file = settingsFolder / kRulesFileName;
    const RulesReading reading = readRulesFile(file);
    if (reading.error) {
        errors.append(errorLine("通知ルールのファイルを読めないため、ルールは使いません。 " +
                                reading.error->message()));
        unreadRulesFile_ = reading.error->message();
    }
    rulesFileSeen_ = reading.bytes;
    reportProblems(rules.setRules(reading.rules), file, errors);
}

std::vector<RuleProblem> ChatSession::saveRules(const std::filesystem::path& settingsFolder,
                                                RuleSet ruleSet) {
    std::vector<RuleProblem> problems = rules.setRules(ruleSet);
    rulesFileSeen_ = saveRulesFile(settingsFolder, ruleSet, rulesFileSeen_);
    unreadRulesFile_.reset();
    return problems;
}

}  // namespace ruv
