#pragma once
// What a search over the daily logs asks: a text matched against the display
// text, the channels, a speaker, a day range and the NG lists.

#include <array>
#include <cstddef>
#include <optional>
#include <string>

#include "core/lines/chat_format.h"
#include "core/search/log_day.h"
#include "core/views/ng_lists.h"

namespace ruv {

// The line channels a search can pick: Open, Team, Club, Whis, Shout, Battle
// and System, all ticked at start.
class SearchChannels {
  public:
    static constexpr std::array<ChatChannel, 7> kPickable{
        ChatChannel::Open,  ChatChannel::Team,   ChatChannel::Club,  ChatChannel::Whis,
        ChatChannel::Shout, ChatChannel::Battle, ChatChannel::System};

    SearchChannels() { ticked_.fill(true); }
    static SearchChannels none() {
        SearchChannels channels;
        channels.ticked_.fill(false);
        return channels;
    }

    bool ticked(ChatChannel channel) const noexcept {
        return ticked_[static_cast<std::size_t>(channel)];
    }
    // Channels that are not pickable are never searched, whatever is asked.
    void tick(ChatChannel channel, bool on) noexcept {
        ticked_[static_cast<std::size_t>(channel)] = on && isPickable(channel);
    }
    static bool isPickable(ChatChannel channel) noexcept {
        for (ChatChannel pickable : kPickable) {
            if (pickable == channel) {
                return true;
            }
        }
        return false;
    }

  private:
    std::array<bool, kChannelCount> ticked_{};
};

// Lines the NG lists hold back: left out of the results, or included (the
// tick that brings them back).
enum class NgLines { LeftOut, Included };

struct NgSearchFilter {
    NgLists lists;
    bool usersApplied = false;  // NGユーザーを適用
    bool wordsApplied = false;  // NGワードを適用
    NgLines lines = NgLines::LeftOut;
};

struct SearchQuery {
    std::string text;  // CP932; an empty text matches nothing
    SearchChannels channels;
    std::optional<std::string> speaker;  // CP932; the whole name before " : "
    std::optional<CivilDate> from;       // inclusive
    std::optional<CivilDate> to;         // inclusive
    NgSearchFilter ng;

    bool coversDay(CivilDate day) const noexcept {
        return (!from || day >= *from) && (!to || day <= *to);
    }
};

}  // namespace ruv
