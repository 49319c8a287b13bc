#include "core/search/day_lines.h"

#include <string>

#include "core/lines/chat_format.h"
#include "core/lines/line_cut.h"
#include "core/search/line_match.h"
#include "core/text/sjis.h"

namespace ruv {

std::optional<DayLineHit> fillDayLines(std::string_view bytes, const SearchQuery& query,
                                       ByteOffset lineStart, ViewLines& lines) {
    std::optional<DayLineHit> hit;
    std::size_t shown = 0;
    for (std::size_t at = 0; at < bytes.size();) {
        const LineCut line = cutLine(bytes, at);
        const bool wanted = static_cast<std::int64_t>(at) == lineStart.value;
        at = line.next;
        const std::string raw = removeEntities(line.text);
        const LineMarkup markup = scanLineMarkup(raw);
        if (markup.header || !markup.own) {
            continue;
        }
        const std::string display = displayText(raw);
        if (wanted && LineMatcher(query).match(line.text)) {
            const auto start = static_cast<std::int64_t>(sjis::find(display, query.text));
            hit = DayLineHit{shown, ByteOffset{start}};
        }
        lines.append(display, markup.own->colour);
        ++shown;
    }
    return hit;
}

}  // namespace ruv
