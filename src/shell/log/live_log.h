#pragma once
// Live following of the attached log: each report of the watcher runs the
// reader one slice at a time on the event loop, so a long burst never holds
// the window and no handler runs nested inside another. A slice routes for a
// few milliseconds at most, so the window repaints between slices well within
// a frame while it catches up.

#include <QObject>
#include <QTimer>

#include <chrono>
#include <filesystem>

#include "core/lines/log_reader.h"
#include "core/lines/log_tail.h"
#include "shell/log/log_watcher.h"

namespace ruv {

class LiveLog : public QObject {
    Q_OBJECT
  public:
    // Routing time a slice may take before the event loop gets its turn.
    static constexpr std::chrono::milliseconds kSliceTimeBudget{4};

    LiveLog(LineSink& sink, const platform::FileOpener& files, platform::ErrorLog& errors,
            const platform::Clock& clock, QObject* parent = nullptr);

    // Follows path from consumed on and watches its folder.
    void attach(const std::filesystem::path& path, ByteOffset consumed);
    // Follows another file of the same folder (the new day's log) from consumed.
    void switchFile(const std::filesystem::path& path, ByteOffset consumed);
    void release();

    // Where the reader names the lines it cannot read (see LogReader).
    void nameUnreadableLinesIn(UnreadableLines& lines) { reader_.nameUnreadableLinesIn(lines); }

    const LogTail& tail() const { return tail_; }
    LogWatcher& watcher() { return watcher_; }
    // Runs slices until caught up, as a report would; for callers that need the
    // lines now (tests, the command line).
    SliceResult catchUp();

  signals:
    // The log could not be sized; reported once until it can be read again.
    void sizeUnavailable();
    // A slice routed lines.
    void linesRouted(qint64 count);

  private:
    void runSlice();
    SliceResult readAndReport();
    void scheduleSlice();

    LogTail tail_;
    platform::SteadyClock sliceClock_;
    LogReader reader_;
    LogWatcher watcher_;
    QTimer nextSlice_;
    bool sizeReported_ = false;
};

}  // namespace ruv
