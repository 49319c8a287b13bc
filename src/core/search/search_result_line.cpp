#include "core/search/search_result_line.h"

#include "core/text/sjis.h"

namespace ruv {

namespace {

std::string_view stampOf(std::string_view display) {
    std::string_view time = display.substr(0, std::min(display.size(), kTimeStampBytes));
    while (!time.empty() && time.back() == ' ') {
        time.remove_suffix(1);
    }
    return time;
}

std::string_view clockOf(std::string_view stamp) {
    // A blank is never the trail byte of a character.
    if (const std::size_t blank = stamp.rfind(' '); blank != std::string_view::npos) {
        stamp.remove_prefix(blank + 1);
    }
    if (stamp.starts_with('[')) {
        stamp.remove_prefix(1);
    }
    // A trail byte of the last character may read as ']'.
    if (stamp.ends_with(']') && sjis::startsCharacter(stamp, 0, stamp.size() - 1)) {
        stamp.remove_suffix(1);
    }
    return stamp;
}

}  // namespace

std::string searchResultLine(CivilDate day, const SearchHit& hit, ChannelNaming naming) {
    const std::string_view display = hit.display;
    std::string line = logDayText(day);
    line += '\t';
    line += stampOf(display);
    line += '\t';
    line += searchChannelName(hit.channel, naming);
    line += '\t';
    line += bodyOfDisplay(display);
    return line;
}

std::string searchResultRow(const SearchHit& hit) {
    const std::string_view display = hit.display;
    std::string row(clockOf(stampOf(display)));
    row += '\t';
    row += searchChannelName(hit.channel, ChannelNaming::TabCaption);
    row += '\t';
    row += bodyOfDisplay(display);
    return row;
}

}  // namespace ruv
