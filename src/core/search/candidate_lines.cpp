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
        splitsByBodyByte_[byteAt(text_, k)].push_back(static_cast<std::uint8_t>(k));
        anySplit_ = true;
    }
}

void CandidateLines::reset(std::string_view lines) noexcept {
    lines_ = lines;
    from_ = 0;
    textHit_ = nextTextHit(0);
    entityHit_ = text_.size() > 1 ? nextJoiningEntity(0) : kNone;
    junctionHit_ = nextJunctionLine(0);
}

std::optional<LineSpan> CandidateLines::next() noexcept {
    if (textHit_ < from_) {
        textHit_ = nextTextHit(from_);
    }
    if (entityHit_ < from_) {
        entityHit_ = nextJoiningEntity(from_);
    }
    if (junctionHit_ < from_) {
        junctionHit_ = nextJunctionLine(from_);
    }
    const std::size_t hit = std::min({textHit_, entityHit_, junctionHit_});
    if (hit == kNone) {
        return std::nullopt;
    }
    const LineSpan line = lineAround(hit);
    from_ = line.next;
    return line;
}

std::size_t CandidateLines::nextTextHit(std::size_t from) const noexcept {
    const std::size_t n = text_.size();
    if (lines_.size() < n || from > lines_.size() - n) {
        return kNone;
    }
    const char* data = lines_.data();
    const char rare = text_[rare_];
    // The rare byte of a match starting at `at` stands at at + rare_.
    std::size_t pos = from + rare_;
    const std::size_t end = lines_.size() - n + rare_ + 1;
    while (pos < end) {
        const void* hit = std::memchr(data + pos, rare, end - pos);
        if (hit == nullptr) {
            return kNone;
        }
        const std::size_t at =
            static_cast<std::size_t>(static_cast<const char*>(hit) - data) - rare_;
        if (std::memcmp(data + at, text_.data(), n) == 0) {
            return at;
        }
        pos = at + rare_ + 1;
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
        if (entityAt(lines_, at) && mayJoin(at)) {
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

// The start of the next line from `from` (a line start) on whose display text
// the text could run from the stamp into the body.
std::size_t CandidateLines::nextJunctionLine(std::size_t from) const noexcept {
    if (!anySplit_) {
        return kNone;
    }
    while (from < lines_.size()) {
        const LineCut line = cutLine(lines_, from);
        if (mayStraddleJunction(from, from + line.text.size())) {
            return from;
        }
        from = line.next;
    }
    return kNone;
}

bool CandidateLines::mayStraddleJunction(std::size_t start, std::size_t end) const noexcept {
    if (end - start <= kBodyStart) {
        return false;
    }
    const char* line = lines_.data() + start;
    // An entity before the body moves it: left to the full check.
    if (std::memchr(line, '&', kBodyStart) != nullptr) {
        return true;
    }
    for (const std::uint8_t k : splitsByBodyByte_[static_cast<unsigned char>(line[kBodyStart])]) {
        const std::size_t rest = text_.size() - k;
        if (end - start - kBodyStart >= rest &&
            std::memcmp(line + kStampEnd - k, text_.data(), k) == 0 &&
            std::memcmp(line + kBodyStart, text_.data() + k, rest) == 0) {
            return true;
        }
    }
    return false;
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
