#include "core/search/candidate_lines.h"

#include <algorithm>
#include <cstring>

#include "core/lines/chat_format.h"
#include "core/lines/line_cut.h"

namespace ruv {
namespace {

constexpr std::size_t kNone = std::string_view::npos;
constexpr std::string_view kEntity = "&nbsp";
// Where the time stamp ends and the body starts in a raw line with no entity
// before the body.
constexpr std::size_t kStampEnd = kMarkerAndSeparatorBytes + kTimeStampBytes;
constexpr std::size_t kBodyStart = kStampEnd + kTagBlockBytes;

unsigned byteAt(std::string_view text, std::size_t at) noexcept {
    return static_cast<unsigned char>(text[at]);
}

bool entityAt(std::string_view text, std::size_t at) noexcept {
    return text.size() - at >= kEntity.size() &&
           std::memcmp(text.data() + at, kEntity.data(), kEntity.size()) == 0;
}

}  // namespace

ByteCounts countBytes(std::string_view sample) noexcept {
    ByteCounts counts{};
    for (char byte : sample) {
        ++counts[static_cast<unsigned char>(byte)];
    }
    return counts;
}

CandidateLines::CandidateLines(std::string_view text, const ByteCounts& counts) : text_(text) {
    for (std::size_t i = 1; i < text_.size(); ++i) {
        if (counts[byteAt(text_, i)] < counts[byteAt(text_, rare_)]) {
            rare_ = i;
        }
    }
    for (std::size_t i = 1; i < text_.size(); ++i) {
        pairs_.set(byteAt(text_, i - 1) * 256 + byteAt(text_, i));
    }
    // A stamp is 17 bytes: longer first pieces never fit in it.
    for (std::size_t k = 1; k < text_.size() && k <= kTimeStampBytes; ++k) {
        splits_.push_back({k, rare_ < k ? kStampEnd - k + rare_ : kBodyStart + rare_ - k});
    }
}

void CandidateLines::reset(std::string_view lines) noexcept {
    lines_ = lines;
    from_ = 0;
    rareHit_ = nextRareHit(0);
    entityHit_ = text_.size() > 1 ? nextJoiningEntity(0) : kNone;
}

std::optional<LineSpan> CandidateLines::next() noexcept {
    if (rareHit_ < from_) {
        rareHit_ = nextRareHit(from_);
    }
    if (entityHit_ < from_) {
        entityHit_ = nextJoiningEntity(from_);
    }
    const std::size_t hit = std::min(rareHit_, entityHit_);
    if (hit == kNone) {
        return std::nullopt;
    }
    const LineSpan line = lineAround(hit);
    from_ = line.next;
    return line;
}

// The first place at or after `from` (a line start) where the text stands, or
// the start of a line whose display text could hold it across the junction.
std::size_t CandidateLines::nextRareHit(std::size_t from) const noexcept {
    const std::size_t n = text_.size();
    const std::size_t size = lines_.size();
    const char* data = lines_.data();
    const char rare = text_[rare_];
    for (std::size_t pos = from; pos < size;) {
        const void* hit = std::memchr(data + pos, rare, size - pos);
        if (hit == nullptr) {
            return kNone;
        }
        const auto at = static_cast<std::size_t>(static_cast<const char*>(hit) - data);
        if (at >= from + rare_ && at - rare_ + n <= size &&
            std::memcmp(data + at - rare_, text_.data(), n) == 0) {
            return at - rare_;
        }
        if (const std::size_t line = junctionLineAt(at, from); line != kNone) {
            return line;
        }
        pos = at + 1;
    }
    return kNone;
}

// The start of the line, at or after `from`, in which the rarest byte at
// `rare` belongs to the text running from the stamp into the body.
std::size_t CandidateLines::junctionLineAt(std::size_t rare, std::size_t from) const noexcept {
    const char* data = lines_.data();
    for (const Split& split : splits_) {
        if (rare < from + split.rareAt) {
            continue;
        }
        const std::size_t start = rare - split.rareAt;
        if (start > 0 && data[start - 1] != '\n') {
            continue;
        }
        const std::size_t rest = text_.size() - split.k;
        if (start + kBodyStart + rest > lines_.size() ||
            std::memcmp(data + start + kStampEnd - split.k, text_.data(), split.k) != 0 ||
            std::memcmp(data + start + kBodyStart, text_.data() + split.k, rest) != 0 ||
            std::memchr(data + start, '\n', kBodyStart + rest) != nullptr) {
            continue;
        }
        return start;
    }
    return kNone;
}

std::size_t CandidateLines::nextJoiningEntity(std::size_t from) const noexcept {
    const char* data = lines_.data();
    for (std::size_t pos = from; pos < lines_.size();) {
        const void* hit = std::memchr(data + pos, '&', lines_.size() - pos);
        if (hit == nullptr) {
            return kNone;
        }
        const std::size_t at = static_cast<std::size_t>(static_cast<const char*>(hit) - data);
        if (entityAt(lines_, at) && (mayJoin(at) || (!splits_.empty() && movesTheBody(at, from)))) {
            return at;
        }
        pos = at + 1;
    }
    return kNone;
}

// Entity removal deletes every "&nbsp " and then every "&nbsp"; a run of them
// goes as a whole, and the bytes on either side of the run meet.
bool CandidateLines::mayJoin(std::size_t entity) const noexcept {
    // An entity that the first pass builds from pieces ("&nb&nbsp sp") starts
    // with an '&' up to four bytes earlier: left to the full check.
    for (std::size_t back = 1; back < kEntity.size() && back <= entity; ++back) {
        if (lines_[entity - back] == '&') {
            return true;
        }
        if (lines_[entity - back] == '\n') {
            break;
        }
    }
    if (entity == 0 || lines_[entity - 1] == '\n') {
        return false;
    }
    std::size_t after = entity;
    while (entityAt(lines_, after)) {
        after += kEntity.size();
        if (after < lines_.size() && lines_[after] == ' ') {
            ++after;
        }
    }
    if (after >= lines_.size() || lines_[after] == '\n') {
        return false;
    }
    return pairs_.test(byteAt(lines_, entity - 1) * 256 + byteAt(lines_, after));
}

// Whether removing the entity at `entity` could move where the body starts:
// it starts, or a piece it completes starts, before the body of its line.
bool CandidateLines::movesTheBody(std::size_t entity, std::size_t from) const noexcept {
    constexpr std::size_t kReach = kBodyStart + kEntity.size() - 1;
    if (entity - from <= kReach) {
        return true;  // from starts a line
    }
    // A line feed in the reach before the entity starts its line within it.
    const std::size_t back = entity - kReach - 1;
    return std::memchr(lines_.data() + back, '\n', entity - back) != nullptr;
}

LineSpan CandidateLines::lineAround(std::size_t at) const noexcept {
    std::size_t start = at;
    while (start > from_ && lines_[start - 1] != '\n') {
        --start;
    }
    const LineCut line = cutLine(lines_, start);
    return {start, start + line.text.size(), line.next};
}

}  // namespace ruv
