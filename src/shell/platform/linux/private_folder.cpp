#include "shell/platform/private_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>

namespace ruv::platform {
namespace {

constexpr auto kProgramFolder = "DIrararezuvero";

// A base folder the program's own folder may be made in: the user's, and no
// other user's to write to. Its group may write to it (umask 002 makes the
// cache folder so): the program's folder in it is checked on its own.
bool isUsersFolder(const QString& folder, unsigned owner) {
    struct stat info {};
    if (::lstat(QFile::encodeName(folder).constData(), &info) != 0) {
        return false;
    }
    return S_ISDIR(info.st_mode) && info.st_uid == owner && (info.st_mode & S_IWOTH) == 0;
}

// The program's folder inside a base folder, made with mode 0700.
QString programFolderIn(const QString& base, unsigned owner) {
    if (base.isEmpty() || !isUsersFolder(base, owner)) {
        return {};
    }
    const QString folder = QDir(base).filePath(QString::fromLatin1(kProgramFolder));
    if (::mkdir(QFile::encodeName(folder).constData(), S_IRWXU) != 0 && errno != EEXIST) {
        return {};
    }
    return isPrivateFolder(folder, owner) ? folder : QString();
}

// A folder named by an environment variable; the base directory rules say a
// relative one is to be ignored.
QString absoluteFolderFrom(const char* variable) {
    const QString folder = qEnvironmentVariable(variable);
    return QDir::isAbsolutePath(folder) ? folder : QString();
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
    // The runtime folder is the user's alone by its rules, or it is not used.
    const QString runtime = absoluteFolderFrom("XDG_RUNTIME_DIR");
    if (isPrivateFolder(runtime, owner)) {
        if (QString folder = programFolderIn(runtime, owner); !folder.isEmpty()) {
            return folder;
        }
    }
    QString cache = absoluteFolderFrom("XDG_CACHE_HOME");
    if (cache.isEmpty()) {
        cache = QDir(QDir::homePath()).filePath(QStringLiteral(".cache"));
    }
    QDir().mkpath(QFileInfo(cache).absolutePath());
    ::mkdir(QFile::encodeName(cache).constData(), S_IRWXU);  // when missing
    return programFolderIn(cache, owner);
}

}  // namespace ruv::platform
