#include "core/views/line_store.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "core/text/sjis.h"

namespace ruv {
namespace {

// Line starts are 32-bit; the buffer never grows past this.
constexpr std::size_t kBufferLimit = std::numeric_limits<std::uint32_t>::max();
constexpr std::int64_t kBreakBytes = 2;

const char* findBreak(std::string_view text) {
    const auto* lf = static_cast<const char*>(std::memchr(text.data(), '\n', text.size()));
    const std::size_t before = lf ? static_cast<std::size_t>(lf - text.data()) : text.size();
    const auto* cr = static_cast<const char*>(std::memchr(text.data(), '\r', before));
    return cr ? cr : lf;
}

}  // namespace

LineStore::LineStore(LineCount capacity) : capacity_(std::max<std::int64_t>(1, capacity.value)) {}

void LineStore::append(std::string_view text, Colour colour) {
    append(text, colour, std::nullopt);
}

void LineStore::append(std::string_view text, Colour colour, std::optional<Colour> background) {
    const std::uint32_t rgb = colour.rgb & kRgbMask;
    const std::uint32_t back = background ? kHasBackground | (background->rgb & kRgbMask) : 0;
    for (;;) {
        const char* brk = findBreak(text);
        if (brk == nullptr) {
            appendOne(text, rgb, back);
            return;
        }
        const auto length = static_cast<std::size_t>(brk - text.data());
        appendOne(text.substr(0, length), rgb, back);
        std::size_t next = length + 1;
        if (*brk == '\r' && next < text.size() && text[next] == '\n') {
            ++next;
        }
        if (next >= text.size()) {
            return;
        }
        text.remove_prefix(next);
    }
}

void LineStore::appendOne(std::string_view line, std::uint32_t rgb, std::uint32_t background) {
    if (line.size() > kBufferLimit) {
        line = line.substr(0, kBufferLimit);
    }
    while (buffer_.size() + line.size() > kBufferLimit && !lines_.empty()) {
        dropFront(std::max<std::size_t>(1, lines_.size() / 10));
    }
    lines_.push_back(Entry{static_cast<std::uint32_t>(buffer_.size()), rgb, background});
    buffer_.append(line);
    widestLineBytes_ = std::max(widestLineBytes_, line.size());
    if (static_cast<std::int64_t>(lines_.size()) > capacity_) {
        const auto excess =
            static_cast<std::size_t>(static_cast<std::int64_t>(lines_.size()) - capacity_);
        dropFront(std::max(excess, static_cast<std::size_t>(capacity_ / 10)));
    }
}

void LineStore::dropFront(std::size_t count) {
    count = std::min(count, lines_.size());
    if (count == 0) {
        return;
    }
    const std::size_t bytes = count < lines_.size() ? lines_[count].start : buffer_.size();
    droppedLines_ += static_cast<std::int64_t>(count);
    droppedBytes_ +=
        static_cast<std::int64_t>(bytes) + kBreakBytes * static_cast<std::int64_t>(count);
    buffer_.erase(0, bytes);
    lines_.erase(lines_.begin(), lines_.begin() + static_cast<std::ptrdiff_t>(count));
    const auto shift = static_cast<std::uint32_t>(bytes);
    for (Entry& entry : lines_) {
        entry.start -= shift;
    }
}

void LineStore::clear() {
    std::string().swap(buffer_);
    std::vector<Entry>().swap(lines_);
    droppedLines_ = 0;
    droppedBytes_ = 0;
    widestLineBytes_ = 0;
    ++clearCount_;
}

void LineStore::setCapacity(LineCount capacity) {
    capacity_ = std::max<std::int64_t>(1, capacity.value);
    if (static_cast<std::int64_t>(lines_.size()) > capacity_) {
        dropFront(lines_.size() - static_cast<std::size_t>(capacity_));
    }
}

std::size_t LineStore::lineEnd(std::size_t index) const {
    return index + 1 < lines_.size() ? lines_[index + 1].start : buffer_.size();
}

std::string_view LineStore::line(std::size_t index) const {
    const std::size_t start = lines_[index].start;
    return std::string_view(buffer_).substr(start, lineEnd(index) - start);
}

ByteOffset LineStore::textLength() const {
    if (lines_.empty()) {
        return ByteOffset{0};
    }
    return ByteOffset{static_cast<std::int64_t>(buffer_.size()) +
                      kBreakBytes * static_cast<std::int64_t>(lines_.size() - 1)};
}

ByteOffset LineStore::lineStart(std::size_t index) const {
    return ByteOffset{static_cast<std::int64_t>(lines_[index].start) +
                      kBreakBytes * static_cast<std::int64_t>(index)};
}

std::size_t LineStore::lineAt(ByteOffset offset) const {
    if (lines_.empty()) {
        return 0;
    }
    // The number of lines that start at or before offset, by binary search.
    std::size_t count = 0;
    std::size_t past = lines_.size();
    while (count < past) {
        const std::size_t middle = count + (past - count) / 2;
        if (lineStart(middle) <= offset) {
            count = middle + 1;
        } else {
            past = middle;
        }
    }
    return count == 0 ? 0 : count - 1;
}

std::string LineStore::text(ByteOffset start, ByteOffset length) const {
    const ByteOffset total = textLength();
    const ByteOffset from = std::clamp(start, ByteOffset{0}, total);
    const ByteOffset to = std::clamp(start + std::max(length, ByteOffset{0}), from, total);
    std::string out;
    out.reserve(static_cast<std::size_t>((to - from).value));
    for (std::size_t index = lineAt(from); index < lines_.size(); ++index) {
        const ByteOffset lineBegin = lineStart(index);
        if (lineBegin >= to) {
            break;
        }
        // The line's bytes followed by its "\r\n", cut to [from, to).
        const std::string_view bytes = line(index);
        const std::size_t breakBytes = index + 1 < lines_.size() ? 2 : 0;
        const auto first =
            static_cast<std::size_t>(std::max(from - lineBegin, ByteOffset{0}).value);
        const auto last =
            std::min(bytes.size() + breakBytes, static_cast<std::size_t>((to - lineBegin).value));
        if (first < bytes.size()) {
            out.append(bytes.substr(first, std::min(last, bytes.size()) - first));
        }
        for (std::size_t pos = std::max(first, bytes.size()); pos < last; ++pos) {
            out.push_back(pos == bytes.size() ? '\r' : '\n');
        }
    }
    return out;
}

ByteOffset LineStore::caretPositionAtOrBefore(ByteOffset offset) const {
    if (lines_.empty() || offset <= ByteOffset{0}) {
        return ByteOffset{0};
    }
    offset = std::min(offset, textLength());
    const std::size_t index = lineAt(offset);
    const std::string_view text = line(index);
    const auto column =
        std::min(static_cast<std::size_t>((offset - lineStart(index)).value), text.size());
    std::size_t pos = 0;
    while (pos < column) {
        const std::size_t step = sjis::isLeadByte(text[pos]) && pos + 1 < text.size() ? 2 : 1;
        if (pos + step > column) {
            break;
        }
        pos += step;
    }
    return lineStart(index) + ByteOffset{static_cast<std::int64_t>(pos)};
}

std::size_t LineStore::memoryBytes() const {
    return sizeof(*this) + buffer_.capacity() + lines_.capacity() * sizeof(Entry);
}

}  // namespace ruv
