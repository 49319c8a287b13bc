#pragma once
// The settings that routing reads: which tabs are shown, the オリジナル mix
// boxes, the two NG boxes, the speech switch, the call-sound keywords and the
// taskbar alert. Routing reads them afresh for every line, so a change between
// two lines applies to the next one; it changes only a keyword row's switch.

#include <array>
#include <cstddef>
#include <string>

#include "core/lines/chat_format.h"
#include "core/views/tab_rules.h"
#include "core/vocabulary/channel_table.h"

namespace ruv {

// One keyword row: SCheckBox0N and the CP932 text of ChatEdit0N.
struct CallKeyword {
    bool armed = false;
    std::string text;
};

// By ChatChannel: whether each channel's tab is shown at design time.
inline std::array<bool, kChannelCount> tabsShownAtDesign() {
    std::array<bool, kChannelCount> shown{};
    for (const ChannelRow& row : kChannelTable) {
        shown[static_cast<std::size_t>(row.channel)] =
            visibilityAtDesign(row.tab) == TabVisibility::Shown;
    }
    return shown;
}

struct RouteSettings {
    // By ChatChannel, 通常 to 経験値情報.
    std::array<bool, kChannelCount> tabShown = tabsShownAtDesign();
    // By MixBox, ChatLogCheckBox02 to ChatLogCheckBox10.
    std::array<bool, kMixBoxCount> mix{};
    bool ngUsersApplied = false;  // NGCheckBox01
    bool ngWordsApplied = false;  // NGCheckBox02
    bool speechSend = false;      // ChatLogCheckBoxBouyomi
    bool callAlert = false;       // "耳打ち・呼び出しで通知", kept in ruvivuvaz_view.ini
    // By ChatChannel; only the rows of the call sounds are ever armed.
    std::array<CallKeyword, kChannelCount> keywords{};

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
    CallKeyword& keyword(ChatChannel row) noexcept {
        return keywords[static_cast<std::size_t>(row)];
    }
    const CallKeyword& keyword(ChatChannel row) const noexcept {
        return keywords[static_cast<std::size_t>(row)];
    }
};

}  // namespace ruv
