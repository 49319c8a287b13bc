#pragma once
// Whether a line names an NG user or holds an NG word, by the rules routing
// holds lines back with; shared by routing and the log search.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/text/char_boundaries.h"

namespace ruv {

class NgMatcher {
  public:
    // The end of a colour tag in raw, directly followed by a listed name and
    // " : ", or by one blank, the name and " : " (the blank-after form).
    bool namesUser(std::string_view raw, const std::vector<std::string>& users);
    // A listed word anywhere in the display text, time stamp included.
    bool holdsWord(std::string_view display, const std::vector<std::string>& words);

  private:
    // Scratch kept to spare allocations per line.
    CharBoundaries chars_;
    std::vector<std::size_t> tagEnds_;
};

}  // namespace ruv
