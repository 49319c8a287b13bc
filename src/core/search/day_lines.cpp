#include "core/search/day_lines.h"

#include <string>

#include "core/log/chat_format.h"
#include "core/search/line_match.h"
#include "core/text/sjis.h"

namespace ruv {

std::vector<DayLineHit> fillDayLines(std::string_view bytes, const SearchQuery& query,
                                     ViewLines& lines) {
    std::vector<DayLineHit> hits;
    LineMatcher matcher(query);
    std::size_t shown = 0;
    while (!bytes.empty()) {
        const std::size_t feed = bytes.find('\n');
        const std::string_view line = bytes.substr(0, feed);
        bytes.remove_prefix(feed == std::string_view::npos ? bytes.size() : feed + 1);
        const std::string raw = removeEntities(line);
        const LineMarkup markup = scanLineMarkup(raw);
        if (markup.header || !markup.own) {
            continue;
        }
        const std::string display = displayText(raw);
        if (matcher.match(line)) {
            const auto at = static_cast<std::int64_t>(sjis::find(display, query.text));
            hits.push_back({shown, ByteOffset{at}});
        }
        lines.append(display, markup.own->colour);
        ++shown;
    }
    return hits;
}

}  // namespace ruv
