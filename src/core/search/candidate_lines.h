#pragma once
// The fast part of the log search: in a buffer of whole lines, the lines where
// the text could stand in the display text. Only the rarest byte of the text
// is looked for (memchr), and a line is handed on only where the text's bytes
// stand, where removing an "&nbsp" entity could join two pieces of it or move
// the body, or where the rarest byte stands just where the text would put it
// if it ran from the time stamp into the body (the display text joins them;
// the tag block between them is cut out). Everything else about a line is
// decided by LineMatcher.

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
    std::size_t nextRareHit(std::size_t from) const noexcept;
    std::size_t junctionLineAt(std::size_t rare, std::size_t from) const noexcept;
    std::size_t nextJoiningEntity(std::size_t from) const noexcept;
    bool mayJoin(std::size_t entity) const noexcept;
    bool movesTheBody(std::size_t entity, std::size_t from) const noexcept;
    LineSpan lineAround(std::size_t at) const noexcept;

    std::string text_;
    std::size_t rare_ = 0;  // index in text_ of the byte looked for
    // Adjacent byte pairs of the text: a match across a removed entity must
    // hold the bytes on both sides of it as one of these.
    std::bitset<256 * 256> pairs_;
    // The ways the text can run from the stamp into the body: its first k
    // bytes end the stamp, the rest opens the body, and the rarest byte then
    // stands `rareAt` bytes from the start of the raw line.
    struct Split {
        std::size_t k = 0;
        std::size_t rareAt = 0;
    };
    std::vector<Split> splits_;
    std::string_view lines_;
    std::size_t from_ = 0;
    // Next hits found ahead of from_, kept so that no byte is searched twice.
    std::size_t rareHit_ = 0;
    std::size_t entityHit_ = 0;
};

}  // namespace ruv
