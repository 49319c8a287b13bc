#include "core/text/sjis.h"

#include <cstdint>
#include <cstring>

namespace ruv::sjis {

std::size_t find(std::string_view text, std::string_view needle, std::size_t from) noexcept {
    if (needle.empty() || needle.size() > text.size()) {
        return npos;
    }
    const std::size_t last = text.size() - needle.size();
    const char first = needle.front();
    std::size_t pos = from;
    // Byte-level matches come from memchr and memcmp; only a match is checked
    // for a character boundary. The bytes after the last non-lead byte before
    // it are lead bytes, each taking the byte after it into its character, so
    // it starts a character when they are even in number. known is a boundary
    // at or before every later match, so each byte is looked at back once.
    std::size_t known = from;
    while (pos <= last) {
        const void* hit = std::memchr(text.data() + pos, first, last - pos + 1);
        if (hit == nullptr) {
            return npos;
        }
        const std::size_t candidate =
            static_cast<std::size_t>(static_cast<const char*>(hit) - text.data());
        if (std::memcmp(text.data() + candidate, needle.data(), needle.size()) == 0) {
            std::size_t leads = 0;
            while (candidate - leads > known && isLeadByte(text[candidate - leads - 1])) {
                ++leads;
            }
            if (leads % 2 == 0) {
                return candidate;
            }
            known = candidate - 1;
        }
        pos = candidate + 1;
    }
    return npos;
}

std::size_t rfind(std::string_view text, std::string_view needle, std::size_t before) noexcept {
    if (needle.empty() || needle.size() > text.size()) {
        return npos;
    }
    std::size_t best = npos;
    for (std::size_t pos = find(text, needle); pos != npos && (before == npos || pos <= before);
         pos = find(text, needle, pos + (isLeadByte(text[pos]) ? 2 : 1))) {
        best = pos;
    }
    return best;
}

std::string replaceAll(std::string_view text, std::string_view needle,
                       std::string_view replacement) {
    if (needle.empty()) {
        return std::string(text);
    }
    std::string out;
    out.reserve(text.size());
    std::size_t start = 0;
    for (std::size_t pos = find(text, needle); pos != npos;
         pos = find(text, needle, nextBoundary(text, pos, start))) {
        out.append(text.substr(start, pos - start));
        out.append(replacement);
        start = pos + needle.size();
    }
    out.append(text.substr(start));
    return out;
}

namespace {

// Bytes of the converter's character at pos.
std::size_t converterCharacterBytes(std::string_view bytes, std::size_t pos) noexcept {
    return isLeadByte(bytes[pos]) && pos + 1 < bytes.size() &&
                   isTrailByte(static_cast<unsigned char>(bytes[pos + 1]))
               ? 2
               : 1;
}

}  // namespace

std::size_t utf16Length(std::string_view bytes) noexcept {
    // Every byte is a unit but the trail byte of each lead/trail pair.
    std::size_t pairs = 0;
    const std::size_t size = bytes.size();
    std::size_t pos = 0;
    while (pos < size) {
        // Runs of ASCII eight bytes at a time.
        std::uint64_t word = 0;
        if (pos + sizeof word <= size) {
            std::memcpy(&word, bytes.data() + pos, sizeof word);
            if ((word & 0x8080808080808080u) == 0) {
                pos += sizeof word;
                continue;
            }
        }
        const std::size_t step = converterCharacterBytes(bytes, pos);
        pairs += step - 1;
        pos += step;
    }
    return size - pairs;
}

std::size_t prefixForUtf16Length(std::string_view bytes, std::size_t units) noexcept {
    std::size_t pos = 0;
    for (; units > 0 && pos < bytes.size(); --units) {
        pos += converterCharacterBytes(bytes, pos);
    }
    return pos;
}

std::size_t nextBoundary(std::string_view text, std::size_t boundary, std::size_t at) noexcept {
    while (boundary < at && boundary < text.size()) {
        boundary += isLeadByte(text[boundary]) ? 2 : 1;
    }
    return boundary;
}

}  // namespace ruv::sjis
