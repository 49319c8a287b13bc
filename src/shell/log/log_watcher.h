#pragma once
// Watches the attached log and its folder. A folder watch reports names, not
// growth, on Linux, so the file itself is watched too and its size is checked
// on a slow timer as well: growth is seen on every platform and file system
// (network shares, Wine). Several notices of one change lead to one report.

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

#include <chrono>

namespace ruv {

class LogWatcher : public QObject {
    Q_OBJECT
  public:
    static constexpr std::chrono::milliseconds kDefaultPollInterval{1000};

    explicit LogWatcher(QObject* parent = nullptr);

    // Watches file (native path) and the folder that holds it.
    void watch(const QString& file);
    void release();
    QString watchedFile() const { return file_; }
    void setPollInterval(std::chrono::milliseconds interval);

  signals:
    // A file in the folder may have changed size: run one batch.
    void sizeMayHaveChanged();
    // A file in the folder was created, deleted or renamed.
    void fileNamesChanged();

  private:
    void noticeSize();
    void noticeNames();
    void pollSize();
    void rewatchFile();

    QFileSystemWatcher watcher_;
    QTimer pollTimer_;
    QTimer sizeNotice_;
    QTimer namesNotice_;
    QString file_;
    QString folder_;
    qint64 lastPolledSize_ = -1;
};

}  // namespace ruv
