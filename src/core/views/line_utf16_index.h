#pragma once
// Positions in a view's text as accessibility tools count them: UTF-16 units
// of the decoded text, one unit for each line break. The index is built on
// first use and, on each later use, brought up to date with the lines the
// store appended or dropped since, so a view costs nothing until a screen
// reader asks. Then: one pass over the bytes of lines not seen before, 8 bytes
// a line held, and a binary search per lookup.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/text/units.h"
#include "core/views/line_store.h"

namespace ruv {

class LineUtf16Index {
  public:
    // Brings the index up to date with store; the lookups expect it.
    void sync(const LineStore& store);

    // Units of the whole text.
    std::int64_t length() const;
    std::int64_t lineStart(std::size_t line) const;
    std::int64_t lineLength(std::size_t line) const;
    // The line holding position: a line break belongs to the line it ends,
    // the end of the text to the last line. 0 when empty.
    std::size_t lineAt(std::int64_t position) const;

    // A byte offset over the store's text (CR LF line breaks) as a position.
    std::int64_t positionOf(const LineStore& store, ByteOffset offset) const;
    // The byte offset of the character at position, clamped to the text.
    ByteOffset offsetOf(const LineStore& store, std::int64_t position) const;

  private:
    // Where each line held starts, counted from an arbitrary origin that stays
    // put while older lines are dropped; starts_[0] is the store's line 0.
    std::vector<std::int64_t> starts_;
    std::int64_t end_ = 0;  // where the last line ends
    std::int64_t droppedLines_ = 0;
    std::uint64_t clearCount_ = 0;
};

}  // namespace ruv
