#include "shell/app/help_location.h"

#include <QDir>

namespace ruv {

QString helpFileBeside(const QString& programFolder) {
#ifdef _WIN32
    return QDir(programFolder).filePath(QStringLiteral("mh_ruvivuvaz_help.chm"));
#else
    return QDir(programFolder).filePath(QStringLiteral("help/index.html"));
#endif
}

}  // namespace ruv
