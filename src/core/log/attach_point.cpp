#include "core/log/attach_point.h"

#include <algorithm>
#include <string>

#include "core/lines/log_reader.h"

namespace ruv {

ByteOffset attachPoint(platform::SharedReadFile& file, ByteOffset size) {
    const std::int64_t window = std::min(size.value, kLogBlockBytes);
    if (window <= 0) {
        return size;
    }
    const ByteOffset start = size - ByteOffset{window};
    std::string tail(static_cast<std::size_t>(window), '\0');
    if (!file.seek(start)) {
        return size;
    }
    const auto got = platform::readFully(file, tail);
    if (!got || *got != tail.size()) {
        return size;
    }
    const std::size_t feed = tail.rfind('\n');
    if (feed != std::string::npos) {
        return start + ByteOffset{static_cast<std::int64_t>(feed + 1)};
    }
    return start.value == 0 ? ByteOffset{0} : size;
}

}  // namespace ruv
