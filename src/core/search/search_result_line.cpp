#include "core/search/search_result_line.h"

namespace ruv {

std::string searchResultLine(CivilDate day, const SearchHit& hit) {
    const std::string_view display = hit.display;
    std::string_view time = display.substr(0, std::min(display.size(), kTimeStampBytes));
    while (!time.empty() && time.back() == ' ') {
        time.remove_suffix(1);
    }
    std::string line = logDayText(day);
    line += '\t';
    line += time;
    line += '\t';
    line += settingsKey(hit.channel);
    line += '\t';
    line += bodyOfDisplay(display);
    return line;
}

}  // namespace ruv
