#pragma once
// What the main window shows, held without a widget: the settings and switches
// (SessionState), the lines of every channel view, the unread counters, line
// routing and the log session (attaching of every kind, history, tidying,
// auto-attach). The window's controls write the state when the user changes
// them; the window turns commands into calls here, shows the views' lines as
// they change and shows what the ports are told.

#include "core/app/session_state.h"
#include "core/app/timer_alarm_ringer.h"
#include "core/exp/exp_session.h"
#include "core/log/log_session.h"
#include "core/log/route_line.h"
#include "core/platform/error_log.h"
#include "core/rules/rule_engine.h"
#include "core/rules/rules_file.h"
#include "core/sound/call_sound_slots.h"
#include "core/speech/speak_line.h"
#include "core/views/channel_book.h"
#include "core/views/unread_counters.h"

namespace ruv {

struct ChatSessionPorts {
    TabSelection& tabs;
    TabCaptions& captions;
    RouteSettingsNotices& settingsNotices;
    // The call-sound players, in slot order; they must outlive the session.
    std::array<MediaPlayer*, kCallSoundSlotCount> soundPlayers;
    ExpPorts exp;
    ExpNotices& expNotices;
    // Null: attaching reports to the session's own EXP figures.
    ExpAttachEvents* attachExp;
    // Where routed lines' speech requests go.
    SpeechSink& speechSink;
    Attention& attention;
    // Plays the notification rules' sounds; null: rules play none.
    RuleSounds* ruleSounds = nullptr;
};

// Rules play no sound while the shell gives no player.
class SilentRuleSounds final : public RuleSounds {
  public:
    void playRuleSound(std::string_view) override {}
};

struct ChatSession {
    ChatSession(const ChatSessionPorts& ports, const LogSessionPorts& logPorts,
                LogSessionTiming timing = {});
    ChatSession(const ChatSession&) = delete;
    ChatSession& operator=(const ChatSession&) = delete;

    ~ChatSession();

    // Reads ruvivuvaz_rules.json of the settings folder at start-up. A damaged
    // file gives no rules and one error-log line naming the file, the line
    // and the reason; each rule that cannot run gives one naming it.
    void loadRules(const std::filesystem::path& settingsFolder, platform::ErrorLog& errors);
    // The rules dialog's OK: the rules run from the next line on and are
    // written to the folder's file (one that is damaged, or was changed since
    // it was loaded or saved, is kept as .bak first).
    // Returns the rules that cannot run. Throws std::system_error when the
    // file cannot be written; the rules run all the same.
    std::vector<RuleProblem> saveRules(const std::filesystem::path& settingsFolder, RuleSet rules);
    // Why the rules file read at start-up could not be read (UTF-8), until
    // rules are saved: the dialog says so before its empty list is saved.
    const std::optional<std::string>& unreadRulesFile() const noexcept { return unreadRulesFile_; }

  private:
    // Made first: routing holds it.
    SilentRuleSounds silentRuleSounds_;
    std::optional<std::string> unreadRulesFile_;
    // The rules file as last loaded or saved; none when there was none.
    std::optional<std::string> rulesFileSeen_;

  public:
    SessionState state;
    // Open the players of state.soundPaths; routing plays them.
    CallSoundSlots sounds;
    // The EXP figures, and the EXP, correction and level the user gave.
    ExpSession exp;
    // Speaks routed lines with the state's voices and the settings in force.
    SpeechBridge speech;
    ChannelBook book;
    UnreadCounters unread;
    // The notification rules in force (rules.rules()), with their cooldowns.
    RuleEngine rules;
    LineRouter router;
    // Whether tidying holds a line back, by the state's NG lists and switches.
    TidyNgRule tidyNg{state.attach, state.route, state.ngLists};
    LogSession log;
    TimerAlarmRinger timerAlarms;
    // The timers the rules start, by the wall clock.
    LiveRuleTimers timers;
};

}  // namespace ruv
