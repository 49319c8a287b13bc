#include "shell/views/line_text.h"

#include <vector>

#include "core/text/cp932.h"
#include "core/text/sjis.h"

namespace ruv {

QString decodeCp932(std::string_view bytes) {
    const std::u16string wide = cp932::toUtf16(bytes);
    return QString::fromUtf16(wide.data(), static_cast<qsizetype>(wide.size()));
}

int utf16Column(std::string_view line, std::size_t byteColumn) {
    return static_cast<int>(cp932::toUtf16(line.substr(0, byteColumn)).size());
}

std::size_t byteColumn(std::string_view line, int utf16Index) {
    std::vector<std::size_t> boundaries{0};
    for (std::size_t pos = 0; pos < line.size();) {
        pos += sjis::isLeadByte(line[pos]) && pos + 1 < line.size() ? 2 : 1;
        boundaries.push_back(pos);
    }
    // Binary search: UTF-16 length of a prefix grows with the prefix.
    std::size_t low = 0;
    std::size_t high = boundaries.size() - 1;
    while (low < high) {
        const std::size_t mid = (low + high + 1) / 2;
        if (utf16Column(line, boundaries[mid]) <= utf16Index) {
            low = mid;
        } else {
            high = mid - 1;
        }
    }
    return boundaries[low];
}

QString clipboardText(std::string_view crLfText) {
#ifdef Q_OS_WIN
    const QString newline = QStringLiteral("\r\n");
#else
    const QString newline = QStringLiteral("\n");
#endif
    QString out;
    for (;;) {
        const std::size_t brk = crLfText.find("\r\n");
        out += decodeCp932(crLfText.substr(0, brk));
        if (brk == std::string_view::npos) {
            return out;
        }
        out += newline;
        crLfText.remove_prefix(brk + 2);
    }
}

}  // namespace ruv
