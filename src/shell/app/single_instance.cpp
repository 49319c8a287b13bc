#include "shell/app/single_instance.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QThread>
#include <QWidget>

#include "shell/platform/private_folder.h"

#include <chrono>

namespace ruv {
namespace {

using namespace std::chrono_literals;

// How long a later start waits for a copy that is still starting or ending.
constexpr auto kPatience = 5s;
constexpr unsigned long kLookAgainMilliseconds = 20;
// The running copy also looks now and then, should a folder notification be lost.
constexpr auto kPollInterval = 1s;
// A request older than this was left for a copy that has ended since.
constexpr qint64 kRequestLifetimeSeconds = 60;

QString requestPattern() {
    return QStringLiteral("*.request");
}

// Where the lock and the hand-over folder of a program folder lie: the user's
// own folder for run-time files, else the program folder itself, which the
// guard is for and whose settings are as open as its requests would be.
QString instancePath(const QString& programFolder) {
    QString folder = platform::privateRuntimeFolder();
    if (folder.isEmpty()) {
        folder = programFolder;
    }
    return QDir(folder).filePath(SingleInstance::instanceName(programFolder));
}

QString userName() {
    const QString name = qEnvironmentVariable("USERNAME", qEnvironmentVariable("USER"));
    return name.isEmpty() ? QDir::homePath() : name;
}

QString canonicalFolder(const QString& folder) {
    const QFileInfo info(folder);
    QString path = info.canonicalFilePath();
    if (path.isEmpty()) {
        path = info.absoluteFilePath();
    }
#ifdef _WIN32
    path = path.toLower();  // one folder however its name is cased
#endif
    return path;
}

// The request file's path, or empty when it cannot be written.
QString writeRequest(const QString& folder, const QString& file) {
    const QString path =
        QDir(folder).filePath(QStringLiteral("%1.request").arg(QCoreApplication::applicationPid()));
    QSaveFile request(path);  // appears whole, under its name, or not at all
    if (!request.open(QIODevice::WriteOnly) || request.write(file.toUtf8()) < 0 ||
        !request.commit()) {
        return {};
    }
    return path;
}

}  // namespace

SingleInstance::SingleInstance(const QString& programFolder, QObject* parent)
    : QObject(parent),
      handOverFolder_(instancePath(programFolder)),
      lockFile_(handOverFolder_ + QStringLiteral(".lock")) {}

SingleInstance::~SingleInstance() {
    release();
}

QString SingleInstance::lockFilePath(const QString& programFolder) {
    return instancePath(programFolder) + QStringLiteral(".lock");
}

void SingleInstance::stopTakingRequests() {
    takingRequests_ = false;
    poll_.stop();
    if (!watcher_.directories().isEmpty()) {
        watcher_.removePaths(watcher_.directories());
    }
}

void SingleInstance::release() {
    stopTakingRequests();
    if (lock_.held()) {
        QDir().rmdir(handOverFolder_);  // only when no request waits in it
        lock_.release();                // the file stays: removing it could part two starts
    }
}

QString SingleInstance::instanceName(const QString& programFolder) {
    const QByteArray key =
        (userName() + QLatin1Char('\n') + canonicalFolder(programFolder)).toUtf8();
    const QByteArray hash = QCryptographicHash::hash(key, QCryptographicHash::Sha256).toHex();
    return QStringLiteral("DIrararezuvero-") + QString::fromLatin1(hash.left(16));
}

InstanceRole SingleInstance::claim(const QString& file) {
    const QString absolute = file.isEmpty() ? QString() : QFileInfo(file).absoluteFilePath();
    const QDeadlineTimer deadline(kPatience);
    QString request;
    for (;;) {
        const platform::LockAttempt attempt = lock_.tryTake(lockFile_);
        if (attempt == platform::LockAttempt::Taken) {
            if (!request.isEmpty()) {
                QFile::remove(request);  // the copy it was for has ended
            }
            QDir().mkpath(handOverFolder_);
            watcher_.addPath(handOverFolder_);
            connect(&watcher_, &QFileSystemWatcher::directoryChanged, this,
                    &SingleInstance::takeRequests);
            connect(&poll_, &QTimer::timeout, this, &SingleInstance::takeRequests);
            takingRequests_ = true;
            poll_.start(kPollInterval);
            QTimer::singleShot(0, this, &SingleInstance::takeRequests);
            return InstanceRole::Running;
        }
        if (attempt == platform::LockAttempt::Unavailable) {
            guarded_ = false;  // no lock to meet at
            return InstanceRole::Running;
        }
        if (request.isEmpty()) {
            // The running copy may be ending and removing the folder: try again.
            QDir().mkpath(handOverFolder_);
            request = writeRequest(handOverFolder_, absolute);
        } else if (!QFileInfo::exists(request)) {
            return InstanceRole::AnotherRuns;  // taken
        }
        if (deadline.hasExpired()) {
            // A request stays for the running copy to take; without one, run unguarded.
            if (request.isEmpty()) {
                guarded_ = false;
                return InstanceRole::Running;
            }
            return InstanceRole::NoAnswer;
        }
        QThread::msleep(kLookAgainMilliseconds);
    }
}

void SingleInstance::takeRequests() {
    if (!takingRequests_) {
        return;
    }
    const QFileInfoList requests =
        QDir(handOverFolder_)
            .entryInfoList({requestPattern()}, QDir::Files, QDir::Time | QDir::Reversed);
    const QDateTime now = QDateTime::currentDateTimeUtc();
    for (const QFileInfo& info : requests) {
        QFile request(info.filePath());
        if (!request.open(QIODevice::ReadOnly)) {
            continue;  // taken meanwhile by a look nested in an earlier request's attach
        }
        const QString file = QString::fromUtf8(request.readAll());
        request.close();
        if (!request.remove()) {
            continue;
        }
        if (info.lastModified().secsTo(now) <= kRequestLifetimeSeconds) {
            emit handedOver(file);
        }
    }
}

void bringToFront(QWidget& window) {
    window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
    window.show();
    window.raise();
    window.activateWindow();
}

}  // namespace ruv
