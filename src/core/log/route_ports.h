#pragma once
// What line routing needs from the rest of the program. The shell implements
// these over its widgets, sound players, EXP monitor and speech client; routing
// reads them afresh for every line, so a change between two lines applies to
// the next one.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/log/chat_format.h"
#include "core/views/channel_table.h"

namespace ruv {

// The channel views and their tabs. A tab is named by the channel of its view;
// ExpMonitor names the 経験値情報 tab.
class RouteViews {
  public:
    virtual ~RouteViews() = default;

    // Appends one line of CP932 text in the colour given. Never fails: a full
    // view drops its oldest lines to make room.
    virtual void Append(ChatChannel view, std::string_view text, Colour colour) = 0;
    // Colour of the view's last line; its default text colour while it is empty.
    virtual Colour LastLineColour(ChatChannel view) const = 0;
    // Whether the tab is present in the tab bar.
    virtual bool TabShown(ChatChannel tab) const = 0;
    // The channel whose tab is active; empty for a tab without a channel
    // (エラーログ).
    virtual std::optional<ChatChannel> ActiveTab() const = 0;
};

// Where the tabs' captions are shown; the unread counters write the counted ones.
class TabCaptions {
  public:
    virtual ~TabCaptions() = default;
    // Caption in CP932.
    virtual void SetCaption(Tab tab, std::string_view caption) = 0;
};

// The switches the user ticks on the NGフィルター and オリジナル tabs.
class RouteSwitches {
  public:
    virtual ~RouteSwitches() = default;

    // NGCheckBox01 "NGユーザーを適用".
    virtual bool NgUsersApplied() const = 0;
    // NGCheckBox02 "NGワードを適用".
    virtual bool NgWordsApplied() const = 0;
    virtual bool MixTicked(MixBox box) const = 0;
    // ChatLogCheckBoxBouyomi "毒電波送信".
    virtual bool SpeechSendTicked() const = 0;
    // "耳打ち・呼び出しで通知".
    virtual bool CallAlertTicked() const = 0;
};

// The keyword rows that arm the call sounds, named by channel: Normal to Shout
// are rows 01 to 06, Original is row 09 (kept hidden and disabled by the
// window, so it never reports ticked there).
class KeywordRows {
  public:
    virtual ~KeywordRows() = default;

    // SCheckBox0N.
    virtual bool Ticked(ChatChannel row) const = 0;
    // Unticks SCheckBox0N as if the user had clicked it (which also disables
    // its keyword field).
    virtual void Untick(ChatChannel row) = 0;
    // Text of ChatEdit0N in CP932.
    virtual std::string Keyword(ChatChannel row) const = 0;
};

// The call-sound players, named by channel as the keyword rows.
class CallSounds {
  public:
    virtual ~CallSounds() = default;

    virtual bool HasCallSound(ChatChannel slot) const = 0;
    // Stops the sound, rewinds it to its start and plays it.
    virtual void PlayCallSound(ChatChannel slot) = 0;
};

// The EXP monitor and the level forecast.
class ExpEvents {
  public:
    virtual ~ExpEvents() = default;

    // The first action of recording a gain, taken before its amount is read:
    // turns the EXP clock on unless it runs already or "停止" is checked.
    virtual void StartExpClock() = 0;
    // Counts a live gain; called right after StartExpClock.
    virtual void RecordGain(std::int64_t amount) = 0;
    virtual void RecordLevelUp() = 0;
};

// The taskbar alert, asked for a whisper line or a line that plays a call
// sound. The shell flashes the window's taskbar entry while the window is not
// active (AttentionGate decides how often).
class Attention {
  public:
    virtual ~Attention() = default;
    virtual void requestAttention() = 0;
};

// Whether the speaker's name may be cut from a spoken line.
enum class SpeakerLine { No, Yes };

class SpeechOut {
  public:
    virtual ~SpeechOut() = default;

    // text: the line's body, name included, in CP932.
    virtual void SpeakLine(std::string_view text, SpeakerLine speaker) = 0;
};

}  // namespace ruv
