#include "shell/app/help_location.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include "shell/platform/user_messages.h"

namespace ruv {

QString helpFileBeside(const QString& programFolder) {
#ifdef _WIN32
    return QDir(programFolder).filePath(QStringLiteral("mh_ruvivuvaz_help.chm"));
#else
    return QDir(programFolder).filePath(QStringLiteral("help/index.html"));
#endif
}

void openHelpFile(const QString& path, UserMessages& messages, const UrlOpener& open) {
    const bool present = QFileInfo(path).isFile();
    if (present && open(QUrl::fromLocalFile(path))) {
        return;
    }
    const QString reason = present ? QStringLiteral("開くことのできるプログラムがありません。")
                                   : QStringLiteral("ファイルがありません。");
    messages.show(MessageKind::Warning, QStringLiteral("ヘルプファイルを開けませんでした。\n%1\n%2")
                                            .arg(QDir::toNativeSeparators(path), reason));
}

}  // namespace ruv
