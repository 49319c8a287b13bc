#pragma once
// The fast part of the log search: in a buffer of whole lines, the lines where
// the text could stand in the display text. Only the rarest byte of the text
// is looked for (memchr), and a line is handed on only where the text's bytes
// stand, where removing an "&nbsp" entity could join two pieces of it, or
// where the display text's join of time stamp and body could (the tag block
// between them is cut out). Everything else about a line is decided by
// LineMatcher.

#include <array>
#include <bitset>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ruv {

// How often each byte value occurs, from a sample of log text.
using ByteCounts = std::array<std::size_t, 256>;
ByteCounts countBytes(std::string_view sample) noexcept;

struct LineSpan {
    std::size_t start = 0;
    std::size_t end = 0;   // the line's line end, or the buffer's end
    std::size_t next = 0;  // where the next line starts
};

class CandidateLines {
  public:
    // text: CP932, not empty. counts: from log text, to pick the rarest byte.
    CandidateLines(std::string_view text, const ByteCounts& counts);

    // Starts on a buffer; the candidates are then taken in order with next().
    void reset(std::string_view lines) noexcept;
    // The next candidate line that starts at or after the end of the last one.
    std::optional<LineSpan> next() noexcept;

  private:
    std::size_t nextTextHit(std::size_t from) const noexcept;
    std::size_t nextJoiningEntity(std::size_t from) const noexcept;
    bool mayJoin(std::size_t entity) const noexcept;
    std::size_t nextJunctionLine(std::size_t from) const noexcept;
    bool mayStraddleJunction(std::size_t start, std::size_t end) const noexcept;
    LineSpan lineAround(std::size_t at) const noexcept;

    std::string text_;
    std::size_t rare_ = 0;  // index in text_ of the byte looked for
    // Adjacent byte pairs of the text: a match across a removed entity must
    // hold the bytes on both sides of it as one of these.
    std::bitset<256 * 256> pairs_;
    // For each byte, the splits k (1 <= k < size) whose second piece starts
    // with it: the text's first k bytes end the time stamp, the rest opens
    // the body.
    std::array<std::vector<std::uint8_t>, 256> splitsByBodyByte_;
    bool anySplit_ = false;
    std::string_view lines_;
    std::size_t from_ = 0;
    // Next hits found ahead of from_, kept so that no byte is searched twice.
    std::size_t textHit_ = 0;
    std::size_t entityHit_ = 0;
    std::size_t junctionHit_ = 0;
};

}  // namespace ruv
