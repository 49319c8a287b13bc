#include "shell/platform/qt_text.h"

#include "core/text/cp932.h"

namespace ruv {

QString fromCp932(std::string_view cp932) {
    return QString::fromStdU16String(cp932::toUtf16(cp932));
}

QString fromCp932Lines(std::string_view cp932) {
    QString text = fromCp932(cp932);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

std::optional<std::string> toCp932(const QString& text) {
    return cp932::fromUtf16(text.toStdU16String());
}

QString toQString(const std::filesystem::path& path) {
#ifdef _WIN32
    return QString::fromStdWString(path.native());
#else
    return QString::fromStdString(path.native());
#endif
}

std::filesystem::path pathFromQString(const QString& path) {
#ifdef _WIN32
    return std::filesystem::path(path.toStdWString());
#else
    return std::filesystem::path(path.toStdString());
#endif
}

}  // namespace ruv
