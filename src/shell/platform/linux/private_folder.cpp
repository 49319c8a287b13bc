#include "shell/platform/private_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>

namespace ruv::platform {
namespace {

constexpr auto kProgramFolder = "DIrararezuvero";

// The program's folder inside a private base folder, made with mode 0700.
QString programFolderIn(const QString& base, unsigned owner) {
    if (base.isEmpty() || !isPrivateFolder(base, owner)) {
        return {};
    }
    const QString folder = QDir(base).filePath(QString::fromLatin1(kProgramFolder));
    if (::mkdir(QFile::encodeName(folder).constData(), S_IRWXU) != 0 && errno != EEXIST) {
        return {};
    }
    return isPrivateFolder(folder, owner) ? folder : QString();
}

}  // namespace

bool isPrivateFolder(const QString& folder, unsigned owner) {
    struct stat info {};
    if (::lstat(QFile::encodeName(folder).constData(), &info) != 0) {
        return false;
    }
    return S_ISDIR(info.st_mode) && info.st_uid == owner &&
           (info.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

QString privateRuntimeFolder() {
    const unsigned owner = ::geteuid();
    QString folder = programFolderIn(qEnvironmentVariable("XDG_RUNTIME_DIR"), owner);
    if (folder.isEmpty()) {
        const QString cache =
            QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
        if (!cache.isEmpty()) {
            QDir().mkpath(QFileInfo(cache).absolutePath());
            ::mkdir(QFile::encodeName(cache).constData(), S_IRWXU);  // when missing
            folder = programFolderIn(cache, owner);
        }
    }
    return folder;
}

}  // namespace ruv::platform
