#pragma once
// Lines of the log that cannot be read where it matters (an experience gain
// whose amount is not an integer): each costs only itself and is named once in
// the error log, by its time stamp and a short excerpt, however often the
// following and the tidying of later attaches read it again.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_set>

#include "core/platform/error_log.h"
#include "core/text/fixed_text.h"

namespace ruv {

inline const FixedText kUncountedGainText{"経験値を読めない行があり、数えずに進みました:"};
inline const FixedText kExcerptCut{"…"};

// The display text shortened for a message: the time stamp and the start of
// the body, cut between characters, with line and control bytes as blanks.
std::string lineExcerpt(std::string_view display);

class UnreadableLines {
  public:
    explicit UnreadableLines(platform::ErrorLog& errors) : errors_(errors) {}

    // Names a line whose gain was not counted, unless it was named before.
    void gainNotCounted(std::string_view display);

  private:
    platform::ErrorLog& errors_;
    std::unordered_set<std::size_t> named_;
};

}  // namespace ruv
