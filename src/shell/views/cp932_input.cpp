#include "shell/views/cp932_input.h"

#include "core/text/cp932.h"

namespace ruv {

Cp932Input cp932Input(const QString& text) {
    if (auto bytes = cp932::fromUtf16(text.toStdU16String())) {
        return {std::move(bytes), {}};
    }
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype units =
            text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate() ? 2
                                                                                             : 1;
        const QString character = text.mid(i, units);
        if (!cp932::fromUtf16(character.toStdU16String())) {
            return {std::nullopt, character};
        }
        i += units;
    }
    return {std::nullopt, {}};
}

}  // namespace ruv
