#pragma once
// A plain-text memo's text as CP932 with CR LF between lines, as the find
// command searches it, and the mapping between its byte offsets and the
// memo's character positions.

#include <QString>

#include <string>
#include <vector>

#include "core/text/units.h"

namespace ruv {

class MemoCp932 {
  public:
    // plain: the memo's text with "\n" between lines. A character CP932
    // cannot hold counts as one "?".
    explicit MemoCp932(const QString& plain);

    const std::string& text() const { return text_; }
    // The memo position of the character holding offset (clamped to the text).
    int positionOf(ByteOffset offset) const;
    // The byte offset where the character at position starts.
    ByteOffset offsetOf(int position) const;

  private:
    std::string text_;
    std::vector<int> positionAtByte_;           // one per byte, and one past the end
    std::vector<std::int64_t> byteAtPosition_;  // one per UTF-16 unit, and one past the end
};

}  // namespace ruv
