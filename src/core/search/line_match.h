#pragma once
// One log line against a search query: its own marker decides its channel, as
// in the sort; the text must stand in the display text at a character start;
// then the speaker and the NG lists.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/lines/chat_format.h"
#include "core/search/search_query.h"
#include "core/text/units.h"
#include "core/views/ng_match.h"

namespace ruv {

// Whether the NG lists would have held the line back (shown only when NG
// lines are included).
enum class NgHeld { No, Yes };

struct SearchHit {
    ChatChannel channel;
    Colour colour;
    std::string display;  // CP932, as the views show the line
    NgHeld ng = NgHeld::No;
    ByteOffset lineStart;  // where the line starts in its file
};

class LineMatcher {
  public:
    // The query must outlive the matcher.
    explicit LineMatcher(const SearchQuery& query) : query_(query) {}

    // line: one line of a log as cut at its line end (core/lines/line_cut.h),
    // without it.
    std::optional<SearchHit> match(std::string_view line);
    // Lines that matched but that the NG lists left out, so far.
    std::int64_t leftOutByNg() const noexcept { return leftOutByNg_; }

  private:
    const SearchQuery& query_;
    NgMatcher ng_;
    std::int64_t leftOutByNg_ = 0;
};

}  // namespace ruv
