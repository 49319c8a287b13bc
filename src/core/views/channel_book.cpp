#include "core/views/channel_book.h"

#include <utility>

namespace ruv {
namespace {

template <std::size_t... Index>
std::array<ViewLines, kChannelCount> linesOfTable(std::index_sequence<Index...>) {
    return {ViewLines(kChannelTable[Index].channel, kChannelTable[Index].viewColour.value_or(
                                                        ChannelBook::kDefaultWindowColour))...};
}

}  // namespace

ChannelBook::ChannelBook() : lines_(linesOfTable(std::make_index_sequence<kChannelCount>{})) {}

void ChannelBook::append(ChatChannel view, std::string_view text, Colour colour,
                         std::optional<Colour> background) {
    if (channelRow(view).view == HasView::Yes) {
        lines(view).append(text, colour, background);
    }
}

void ChannelBook::clear(ChatChannel view) {
    lines(view).clear();
}

void ChannelBook::setWindowColour(Colour colour) {
    for (const ChannelRow& row : kChannelTable) {
        if (!row.viewColour) {
            lines(row.channel).setDefaultColour(colour);
        }
    }
}

}  // namespace ruv
