#pragma once
// What line routing tells the rest of the program or asks of it. The shell
// implements these over its widgets, sound players, EXP monitor and speech
// client. Routing reads its settings and writes its lines in the core session
// (RouteSettings, ChannelBook); these carry only what the core cannot know.

#include <cstdint>
#include <optional>
#include <string_view>

#include "core/vocabulary/channel_table.h"
#include "core/vocabulary/speech_priority.h"

namespace ruv {

// Which tab the user is looking at: lines for it are not counted as unread.
class TabSelection {
  public:
    virtual ~TabSelection() = default;

    // The channel whose tab is active; empty for a tab without a channel
    // (エラーログ).
    virtual std::optional<ChatChannel> ActiveTab() const = 0;
};

// What routing changes in the settings, for the controls that show them.
class RouteSettingsNotices {
  public:
    virtual ~RouteSettingsNotices() = default;

    // Routing disarmed the keyword row of a channel whose tab is hidden
    // (SCheckBox0N is shown unticked, its keyword field greyed).
    virtual void keywordUnticked(ChatChannel row) = 0;
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
    // Counts a live gain; called right after StartExpClock. stamp: the line's
    // time stamp, which places it in the hourly chart.
    virtual void RecordGain(std::int64_t amount, std::string_view stamp) = 0;
    virtual void RecordLevelUp(std::string_view stamp) = 0;
};

// The taskbar alert, asked for a whisper line or a line that plays a call
// sound. The shell flashes the window's taskbar entry while the window is not
// active (AttentionGate decides how often).
class Attention {
  public:
    virtual ~Attention() = default;
    virtual void requestAttention() = 0;
};

// Whether the line is a speaker line (一般, チーム, クラブ, 耳打ち), whose name
// may be left unread; 叫び and all other lines are not.
enum class SpeakerLine { No, Yes };

class SpeechOut {
  public:
    virtual ~SpeechOut() = default;

    // text: the line's body, name included, in CP932. priority: High for a
    // whisper.
    virtual void SpeakLine(std::string_view text, SpeakerLine speaker, SpeechPriority priority) = 0;
};

}  // namespace ruv
