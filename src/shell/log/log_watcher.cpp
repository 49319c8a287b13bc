#include "shell/log/log_watcher.h"

#include <QFileInfo>

namespace ruv {

LogWatcher::LogWatcher(QObject* parent) : QObject(parent) {
    pollTimer_.setInterval(kDefaultPollInterval);
    sizeNotice_.setSingleShot(true);
    sizeNotice_.setInterval(0);
    namesNotice_.setSingleShot(true);
    namesNotice_.setInterval(0);
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, [this] {
        rewatchFile();
        noticeSize();
    });
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, [this] {
        rewatchFile();
        noticeNames();
        noticeSize();
    });
    connect(&pollTimer_, &QTimer::timeout, this, &LogWatcher::pollSize);
    connect(&sizeNotice_, &QTimer::timeout, this, &LogWatcher::sizeMayHaveChanged);
    connect(&namesNotice_, &QTimer::timeout, this, &LogWatcher::fileNamesChanged);
}

void LogWatcher::watch(const QString& file) {
    release();
    file_ = file;
    folder_ = QFileInfo(file).absolutePath();
    if (!folder_.isEmpty() && QFileInfo(folder_).isDir()) {
        watcher_.addPath(folder_);
    }
    rewatchFile();
    lastPolledSize_ = QFileInfo(file_).size();
    pollTimer_.start();
}

void LogWatcher::release() {
    if (!watcher_.files().isEmpty()) {
        watcher_.removePaths(watcher_.files());
    }
    if (!watcher_.directories().isEmpty()) {
        watcher_.removePaths(watcher_.directories());
    }
    pollTimer_.stop();
    sizeNotice_.stop();
    namesNotice_.stop();
    file_.clear();
    folder_.clear();
    lastPolledSize_ = -1;
}

void LogWatcher::setPollInterval(std::chrono::milliseconds interval) {
    pollTimer_.setInterval(interval);
}

// Coalesces: however many notices arrive in one turn of the event loop, one report.
void LogWatcher::noticeSize() {
    if (!sizeNotice_.isActive()) {
        sizeNotice_.start();
    }
}

void LogWatcher::noticeNames() {
    if (!namesNotice_.isActive()) {
        namesNotice_.start();
    }
}

void LogWatcher::pollSize() {
    if (file_.isEmpty()) {
        return;
    }
    const QFileInfo info(file_);
    const qint64 size = info.exists() ? info.size() : -1;
    if (size != lastPolledSize_) {
        lastPolledSize_ = size;
        rewatchFile();
        noticeSize();
    }
}

// A replaced or re-created file drops out of the watch; take it back in.
void LogWatcher::rewatchFile() {
    if (file_.isEmpty() || watcher_.files().contains(file_)) {
        return;
    }
    if (QFileInfo::exists(file_)) {
        watcher_.addPath(file_);
    }
}

}  // namespace ruv
