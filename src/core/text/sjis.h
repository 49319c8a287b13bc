#pragma once
// Character-wise operations on Shift-JIS (code page 932) byte strings.

#include <cstddef>
#include <string>
#include <string_view>

namespace ruv::sjis {

inline constexpr std::size_t npos = std::string_view::npos;

// True for the first byte of a double-byte character (0x81-0x9F, 0xE0-0xFC).
constexpr bool isLeadByte(unsigned char byte) noexcept {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}
constexpr bool isLeadByte(char byte) noexcept {
    return isLeadByte(static_cast<unsigned char>(byte));
}

// True for a byte that can follow a lead byte (0x40-0x7E, 0x80-0xFC).
constexpr bool isTrailByte(unsigned char byte) noexcept {
    return (byte >= 0x40 && byte <= 0x7E) || (byte >= 0x80 && byte <= 0xFC);
}

// Whether a character-wise walk from `from` (a boundary) lands on `at`. The
// byte before a run of lead-valued bytes always ends a character, so only that
// run needs counting: the same answer as walking forward from `from`.
constexpr bool startsCharacter(std::string_view text, std::size_t from, std::size_t at) noexcept {
    std::size_t run = at;
    while (run > from && isLeadByte(text[run - 1])) {
        --run;
    }
    return (at - run) % 2 == 0;
}

// Position of the first occurrence of needle at or after from that starts on a
// character boundary; npos if none. An empty needle never matches. Character
// boundaries are counted from the start of text, so from should be a boundary.
std::size_t find(std::string_view text, std::string_view needle, std::size_t from = 0) noexcept;

inline bool contains(std::string_view text, std::string_view needle) noexcept {
    return find(text, needle) != npos;
}

// The first character boundary at or after `at`, walking from `boundary` (a
// boundary at or before it). Where a match of a needle that ends with a lead
// byte ends, the search goes on from here: the match's end is inside a
// character. May be text.size() + 1 when the text ends with a lead byte.
std::size_t nextBoundary(std::string_view text, std::size_t boundary, std::size_t at) noexcept;

// The number of UTF-16 units cp932::toUtf16 gives for bytes: the converter
// reads a lead byte followed by a trail byte as one character and any other
// byte as one, and every character becomes one unit (CP932 has none beyond
// the BMP).
std::size_t utf16Length(std::string_view bytes) noexcept;

// The length of the longest prefix of bytes whose UTF-16 length is at most
// units; it never ends between a lead byte and its trail byte.
std::size_t prefixForUtf16Length(std::string_view bytes, std::size_t units) noexcept;

// Replaces every non-overlapping occurrence of needle (character-wise, left to
// right) with replacement. An empty needle leaves text unchanged.
std::string replaceAll(std::string_view text, std::string_view needle,
                       std::string_view replacement);

// Position of the last occurrence of needle that starts on a character boundary
// and begins at or before `before` (npos = anywhere); npos if none.
std::size_t rfind(std::string_view text, std::string_view needle,
                  std::size_t before = npos) noexcept;

}  // namespace ruv::sjis
