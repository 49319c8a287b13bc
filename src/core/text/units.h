#pragma once
// Strong types for byte offsets and counts in CP932 text and files.

#include <compare>
#include <cstdint>

namespace ruv {

// A position in bytes: in a file, in CP932 text (a line break counts as CR LF).
struct ByteOffset {
    std::int64_t value = 0;

    friend constexpr auto operator<=>(ByteOffset, ByteOffset) = default;
    friend constexpr ByteOffset operator+(ByteOffset a, ByteOffset b) {
        return {a.value + b.value};
    }
    friend constexpr ByteOffset operator-(ByteOffset a, ByteOffset b) {
        return {a.value - b.value};
    }
};

// A number of lines.
struct LineCount {
    std::int64_t value = 0;

    friend constexpr auto operator<=>(LineCount, LineCount) = default;
};

}  // namespace ruv
