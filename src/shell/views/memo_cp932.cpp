#include "shell/views/memo_cp932.h"

#include <algorithm>

#include "core/text/cp932.h"

namespace ruv {

MemoCp932::MemoCp932(const QString& plain) {
    text_.reserve(static_cast<std::size_t>(plain.size()));
    for (qsizetype i = 0; i < plain.size();) {
        const QChar unit = plain[i];
        const qsizetype units =
            unit.isHighSurrogate() && i + 1 < plain.size() && plain[i + 1].isLowSurrogate() ? 2 : 1;
        std::string bytes;
        if (unit == QLatin1Char('\n')) {
            bytes = "\r\n";
        } else if (unit.unicode() < 0x80) {
            bytes.assign(1, static_cast<char>(unit.unicode()));
        } else {
            bytes = cp932::fromUtf16(plain.mid(i, units).toStdU16String()).value_or("?");
        }
        for (qsizetype k = 0; k < units; ++k) {
            byteAtPosition_.push_back(static_cast<std::int64_t>(text_.size()));
        }
        positionAtByte_.insert(positionAtByte_.end(), bytes.size(), static_cast<int>(i));
        text_ += bytes;
        i += units;
    }
    byteAtPosition_.push_back(static_cast<std::int64_t>(text_.size()));
    positionAtByte_.push_back(static_cast<int>(plain.size()));
}

int MemoCp932::positionOf(ByteOffset offset) const {
    const auto index =
        std::clamp<std::int64_t>(offset.value, 0, static_cast<std::int64_t>(text_.size()));
    return positionAtByte_[static_cast<std::size_t>(index)];
}

ByteOffset MemoCp932::offsetOf(int position) const {
    const auto index = std::clamp<std::int64_t>(
        position, 0, static_cast<std::int64_t>(byteAtPosition_.size()) - 1);
    return ByteOffset{byteAtPosition_[static_cast<std::size_t>(index)]};
}

}  // namespace ruv
