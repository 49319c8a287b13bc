#pragma once
// The lines of one view: one buffer of CP932 text, a start offset and a colour
// per line. Positions over the text count each line break as CR LF (2 bytes),
// as the views' selection and find do. When more lines arrive than the capacity
// allows, the oldest tenth is dropped at once, so appending stays cheap.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/text/units.h"
#include "core/vocabulary/channel.h"

namespace ruv {

class LineStore {
  public:
    static constexpr std::int64_t kDefaultCapacity = 500'000;

    explicit LineStore(LineCount capacity = LineCount{kDefaultCapacity});

    // Appends text as one line; line breaks inside it (CR LF, LF or CR) start
    // further lines and a trailing one is ignored.
    void append(std::string_view text, Colour colour);
    // The same, every line with a background of its own (a notification
    // rule's colour); empty: the view's.
    void append(std::string_view text, Colour colour, std::optional<Colour> background);
    void clear();

    // At least 1. Lowering it below the current count drops the oldest lines.
    void setCapacity(LineCount capacity);
    LineCount capacity() const { return LineCount{capacity_}; }

    std::size_t size() const { return lines_.size(); }
    bool empty() const { return lines_.empty(); }
    std::string_view line(std::size_t index) const;
    Colour colour(std::size_t index) const { return Colour{lines_[index].rgb}; }
    // The line's own background; empty: the view's.
    std::optional<Colour> background(std::size_t index) const {
        const std::uint32_t value = lines_[index].background;
        return value == 0 ? std::nullopt : std::optional<Colour>(Colour{value & kRgbMask});
    }

    // Length of the whole text, line breaks counted as CR LF.
    ByteOffset textLength() const;
    // Where line index starts in the whole text.
    ByteOffset lineStart(std::size_t index) const;
    // The line holding offset; an offset inside a line break belongs to the
    // line before it, one past the end to the last line. 0 when empty.
    std::size_t lineAt(ByteOffset offset) const;
    // Bytes [start, start + length) of the whole text, with CR LF between lines.
    std::string text(ByteOffset start, ByteOffset length) const;
    std::string text() const { return text(ByteOffset{0}, textLength()); }

    // The nearest character boundary at or before offset: never inside a
    // line break nor between the two bytes of a double-byte character.
    ByteOffset caretPositionAtOrBefore(ByteOffset offset) const;

    // Counts since the last clear: lines and text bytes (with their line
    // breaks) dropped from the front. Positions kept by a client as
    // "offset + droppedBytes()" stay valid across drops.
    std::int64_t droppedLines() const { return droppedLines_; }
    std::int64_t droppedBytes() const { return droppedBytes_; }
    // How often the store was cleared: those positions hold only until the next.
    std::uint64_t clearCount() const { return clearCount_; }

    // Byte length of the longest line held since the last clear.
    std::size_t widestLineBytes() const { return widestLineBytes_; }

    // Bytes of text held, without line breaks.
    std::size_t textBytes() const { return buffer_.size(); }
    // Every line's bytes one after another, without line breaks, and where
    // line index starts in them: lets a search run without copying the text.
    std::string_view bytes() const { return buffer_; }
    std::size_t bytesStart(std::size_t index) const { return lines_[index].start; }
    // Bytes the store itself has allocated.
    std::size_t memoryBytes() const;

  private:
    static constexpr std::uint32_t kRgbMask = 0xFFFFFFu;
    // Marks a stored background, so that black (0) stays a colour.
    static constexpr std::uint32_t kHasBackground = 0x1000000u;

    struct Entry {
        std::uint32_t start;
        std::uint32_t rgb;
        std::uint32_t background;  // 0, or kHasBackground | rgb
    };

    void appendOne(std::string_view line, std::uint32_t rgb, std::uint32_t background);
    void dropFront(std::size_t count);
    std::size_t lineEnd(std::size_t index) const;

    std::string buffer_;
    std::vector<Entry> lines_;
    std::int64_t capacity_;
    std::int64_t droppedLines_ = 0;
    std::int64_t droppedBytes_ = 0;
    std::uint64_t clearCount_ = 0;
    std::size_t widestLineBytes_ = 0;
};

}  // namespace ruv
