#pragma once
// Routing's ports with nothing behind them, for the command line and the
// measurements: no window, no sound, no speech; errors are dropped. Only the
// rule sounds asked for are counted.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "core/lines/route_ports.h"
#include "core/platform/error_log.h"
#include "core/rules/rule_ports.h"
#include "core/views/tab_captions.h"

namespace ruv {

class SilentRoutePorts final : public TabSelection,
                               public TabCaptions,
                               public RouteSettingsNotices,
                               public CallSounds,
                               public ExpEvents,
                               public SpeechOut,
                               public Attention,
                               public RuleSounds,
                               public RuleSpeech,
                               public platform::ErrorLog {
  public:
    // activeTab: the tab the user looks at, whose lines count as read.
    explicit SilentRoutePorts(ChatChannel activeTab) : activeTab_(activeTab) {}

    std::optional<ChatChannel> ActiveTab() const override { return activeTab_; }
    void SetCaption(Tab, std::string_view) override {}
    void keywordUnticked(ChatChannel) override {}
    bool HasCallSound(ChatChannel) const override { return false; }
    void PlayCallSound(ChatChannel) override {}
    void StartExpClock() override {}
    void RecordGain(std::int64_t, std::string_view) override {}
    void RecordLevelUp(std::string_view) override {}
    void SpeakLine(std::string_view, SpeakerLine, SpeechPriority) override {}
    void requestAttention() override {}
    void playRuleSound(std::string_view) override { ++ruleSoundsAsked; }
    void speakRulePhrase(std::string_view, std::string_view, SpeechPriority) override {}
    void append(std::string_view) override {}

    std::size_t ruleSoundsAsked = 0;

  private:
    ChatChannel activeTab_;
};

}  // namespace ruv
