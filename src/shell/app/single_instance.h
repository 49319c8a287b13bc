#pragma once
// One running copy per program folder, the folder of its settings: a second
// copy would speak every line twice and overwrite the first one's settings at
// exit. A later start hands the log it was given to the running copy and ends.
//
// The running copy holds a lock file (a copy that crashed leaves a lock that
// the next start takes over); a later start leaves its request in a hand-over
// folder that the running copy watches. Both lie in the user's own folder for
// run-time files and are named after the user and the canonical program
// folder. Only QtCore: Qt for Windows is built without its network module.

#include <QFileSystemWatcher>
#include <QLockFile>
#include <QObject>
#include <QString>
#include <QTimer>

class QWidget;

namespace ruv {

enum class InstanceRole {
    Running,      // this start is the program's one copy
    AnotherRuns,  // a running copy has this start's request; this start ends
};

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

    // The lock file and the hand-over folder share this name.
    static QString instanceName(const QString& programFolder);

  signals:
    // A later start asked for `file` (absolute; empty: none), from the event loop.
    void handedOver(const QString& file);

  private:
    void takeRequests();

    QString handOverFolder_;
    QLockFile lock_;
    QFileSystemWatcher watcher_;
    QTimer poll_;
};

// Shows the window normally if minimised, raises it and asks for the focus
// (Windows may only flash its taskbar button).
void bringToFront(QWidget& window);

}  // namespace ruv
