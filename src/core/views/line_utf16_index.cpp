#include "core/views/line_utf16_index.h"

#include <algorithm>

#include "core/text/sjis.h"

namespace ruv {

void LineUtf16Index::sync(const LineStore& store) {
    if (store.clearCount() != clearCount_ || store.droppedLines() < droppedLines_) {
        starts_.clear();
        end_ = 0;
        droppedLines_ = 0;
        clearCount_ = store.clearCount();
    }
    if (store.droppedLines() > droppedLines_) {
        const auto gone = static_cast<std::size_t>(store.droppedLines() - droppedLines_);
        starts_.erase(starts_.begin(), starts_.begin() + static_cast<std::ptrdiff_t>(
                                                             std::min(gone, starts_.size())));
        droppedLines_ = store.droppedLines();
    }
    starts_.reserve(store.size());
    for (std::size_t line = starts_.size(); line < store.size(); ++line) {
        const std::int64_t start = starts_.empty() ? 0 : end_ + 1;
        starts_.push_back(start);
        end_ = start + static_cast<std::int64_t>(sjis::utf16Length(store.line(line)));
    }
}

std::int64_t LineUtf16Index::length() const {
    return starts_.empty() ? 0 : end_ - starts_.front();
}

std::int64_t LineUtf16Index::lineStart(std::size_t line) const {
    return starts_[line] - starts_.front();
}

std::int64_t LineUtf16Index::lineLength(std::size_t line) const {
    const std::int64_t end = line + 1 < starts_.size() ? starts_[line + 1] - 1 : end_;
    return end - starts_[line];
}

std::size_t LineUtf16Index::lineAt(std::int64_t position) const {
    if (starts_.empty()) {
        return 0;
    }
    const auto after = std::upper_bound(starts_.begin(), starts_.end(),
                                        starts_.front() + std::max<std::int64_t>(position, 0));
    return static_cast<std::size_t>(after - starts_.begin()) - 1;
}

std::int64_t LineUtf16Index::positionOf(const LineStore& store, ByteOffset offset) const {
    if (store.empty()) {
        return 0;
    }
    const std::size_t line = store.lineAt(offset);
    const std::string_view bytes = store.line(line);
    const auto column = static_cast<std::size_t>(std::clamp<std::int64_t>(
        (offset - store.lineStart(line)).value, 0, static_cast<std::int64_t>(bytes.size())));
    return lineStart(line) + static_cast<std::int64_t>(sjis::utf16Length(bytes.substr(0, column)));
}

ByteOffset LineUtf16Index::offsetOf(const LineStore& store, std::int64_t position) const {
    if (store.empty()) {
        return ByteOffset{0};
    }
    const std::size_t line = lineAt(position);
    const auto units = static_cast<std::size_t>(
        std::clamp<std::int64_t>(position - lineStart(line), 0, lineLength(line)));
    const std::size_t column = sjis::prefixForUtf16Length(store.line(line), units);
    return store.lineStart(line) + ByteOffset{static_cast<std::int64_t>(column)};
}

}  // namespace ruv
