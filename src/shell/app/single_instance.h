#pragma once
// One running copy per program folder, the folder of its settings: a second
// copy would speak every line twice and overwrite the first one's settings at
// exit. A later start hands the log it was given to the running copy and ends.
//
// The running copy holds the system's lock on a lock file that is never
// removed, so a copy that has ended leaves no lock behind and of two starts at
// the same moment exactly one becomes the running copy. A later start leaves
// its request in a hand-over folder that the running copy watches until its
// exit begins. Both lie in the user's own folder for run-time files
// (platform::privateRuntimeFolder), else in the program folder, and are named
// after the user and the canonical program folder. Only QtCore: Qt for
// Windows is built without its network module.

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

#include "core/text/fixed_text.h"
#include "shell/platform/held_file_lock.h"

class QWidget;

namespace ruv {

enum class InstanceRole {
    Running,      // this start is the program's one copy
    AnotherRuns,  // a running copy has this start's request; this start ends
    NoAnswer,     // a running copy holds the lock but took no request in time
};

// The error log's line when no lock could be had.
inline const FixedText kUnguardedStartText{
    "二重起動を確認するためのファイルを作成できないため、"
    "同じフォルダーのDIrararezuveroが同時に起動しても止められません"};

class SingleInstance : public QObject {
    Q_OBJECT
  public:
    explicit SingleInstance(const QString& programFolder, QObject* parent = nullptr);
    ~SingleInstance() override;

    // At start-up, before the window exists. With no running copy this start
    // becomes it. Otherwise the running copy is asked to attach `file` (empty:
    // only to come to the front); the answer waits at most a few seconds for a
    // copy that is still starting, and a request it has not taken by then
    // stays for it to take.
    InstanceRole claim(const QString& file);
    // Whether a running copy holds the lock: false when no lock could be had
    // anywhere, so that a later start may run beside this one.
    bool guarded() const { return guarded_; }

    // At exit, before its steps: later starts no longer hand over to this copy.
    void stopTakingRequests();
    // Once the settings are saved: the next start becomes the running copy.
    void release();

    // The lock file and the hand-over folder share this name.
    static QString instanceName(const QString& programFolder);
    static QString lockFilePath(const QString& programFolder);

  signals:
    // A later start asked for `file` (absolute; empty: none), from the event loop.
    void handedOver(const QString& file);

  private:
    void takeRequests();

    QString handOverFolder_;
    QString lockFile_;
    bool takingRequests_ = false;
    bool guarded_ = true;
    platform::HeldFileLock lock_;
    QFileSystemWatcher watcher_;
    QTimer poll_;
};

// Shows the window normally if minimised, raises it and asks for the focus
// (Windows may only flash its taskbar button).
void bringToFront(QWidget& window);

}  // namespace ruv
