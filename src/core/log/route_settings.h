#pragma once
// The settings that routing reads: which tabs are shown, the オリジナル mix
// boxes, the two NG boxes, the speech switch and the read mode.

#include <array>
#include <cstddef>

#include "core/config/config_store.h"
#include "core/log/chat_format.h"
#include "core/log/route_ports.h"

namespace ruv {

struct RouteSettings {
    static constexpr std::size_t kTabCount = static_cast<std::size_t>(ChatChannel::ExpMonitor) + 1;

    // By ChatChannel, 通常 to 経験値情報: all shown but 戦闘情報 and システム.
    std::array<bool, kTabCount> tabShown{true, true, true,  true,  true, true,
                                         true, true, false, false, true};
    // By MixBox, ChatLogCheckBox02 to ChatLogCheckBox10.
    std::array<bool, kMixBoxCount> mix{};
    bool ngUsersApplied = false;  // NGCheckBox01
    bool ngWordsApplied = false;  // NGCheckBox02
    bool speechSend = false;      // ChatLogCheckBoxBouyomi
    int readMode = 0;             // BouyomiComboBox01, 0 to 3

    bool TabShown(ChatChannel tab) const noexcept {
        return tabShown[static_cast<std::size_t>(tab)];
    }
    void SetTabShown(ChatChannel tab, bool shown) noexcept {
        tabShown[static_cast<std::size_t>(tab)] = shown;
    }
    bool MixTicked(MixBox box) const noexcept { return mix[static_cast<std::size_t>(box)]; }
    void SetMixTicked(MixBox box, bool ticked) noexcept {
        mix[static_cast<std::size_t>(box)] = ticked;
    }
};

// The routing switches read from settings kept in the core.
class SettingsSwitches final : public RouteSwitches {
  public:
    explicit SettingsSwitches(const RouteSettings& settings) noexcept : settings_(settings) {}

    bool NgUsersApplied() const override { return settings_.ngUsersApplied; }
    bool NgWordsApplied() const override { return settings_.ngWordsApplied; }
    bool MixTicked(MixBox box) const override { return settings_.MixTicked(box); }
    bool SpeechSendTicked() const override { return settings_.speechSend; }

  private:
    const RouteSettings& settings_;
};

// Applies the rows of config.ini by key, in file order, as start-up does:
// Normal, Open, Team, Club, Whis, Shout, Original, NG and ExpMonitor "0" hide
// their tab; Battle and System "1" show theirs; OpenCheck to SystemCheck "1"
// tick their mix box; NGWordCheck "1" ticks "NGユーザーを適用" and NGUserCheck
// "1" "NGワードを適用"; BouyomiCheck01 "1" ticks "毒電波送信"; BouyomiCheck02 is
// the read mode (an index outside 0 to 3 is ignored). Other values and keys
// change nothing. Throws config::NotAnInteger for a read mode that is not an
// integer; the rows before it stay applied.
void ApplyRouteSettingsRows(const config::ConfigStore& store, RouteSettings& settings);

// Writes the settings into their rows by number, as the exit does: rows 1 to
// 11, 13 to 19, 47, 48, 59 and 60.
void WriteRouteSettingsRows(const RouteSettings& settings, config::ConfigStore& store);

}  // namespace ruv
