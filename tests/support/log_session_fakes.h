#pragma once
// The log session's surroundings for tests: a display that records what it
// was shown, the views' lines and unread counters, a followed log read by the real reader from real
// files, a file dialog with a set answer and a recording EXP monitor.

#include <map>
#include <string>
#include <vector>

#include "core/lines/log_reader.h"
#include "core/log/log_session.h"
#include "core/text/cp932.h"
#include "core/views/channel_book.h"
#include "core/views/unread_counters.h"

namespace ruv::testing {

class RecordingDisplay final : public LogSessionDisplay {
  public:
    void showStatus(StatusPanel panel, std::string_view cp932) override {
        status[panel] = cp932::toUtf8(cp932);
    }
    void showTidyProgress(std::string_view cp932) override {
        showStatus(StatusPanel::State, cp932);
    }
    void endTidyProgress(std::string_view attachState) override {
        showStatus(StatusPanel::State, attachState);
    }
    void showCaption(WindowCaption shown) override { caption = shown; }
    void showAttachMenu(const AttachMenu& shown) override { menu = shown; }
    void showWarning(std::string_view cp932) override { warnings.push_back(cp932::toUtf8(cp932)); }

    std::map<StatusPanel, std::string> status;  // UTF-8
    WindowCaption caption = WindowCaption::Plain;
    AttachMenu menu;
    std::vector<std::string> warnings;  // UTF-8
};

// The views' lines and the unread counters a log session changes.
struct LogSessionBook final : TabCaptions {
    void SetCaption(Tab tab, std::string_view caption) override {
        captions[tab] = std::string(caption);
    }
    std::size_t lineCount(ChatChannel view) const { return book.lines(view).store().size(); }
    LogSessionState state(ExpAttachEvents& exp) { return {book, unread, options, exp}; }

    ChannelBook book;
    AttachOptions options;
    std::map<Tab, std::string> captions;  // CP932
    UnreadCounters unread{*this};
};

class RecordingErrors final : public platform::ErrorLog {
  public:
    void append(std::string_view line) override { lines.emplace_back(line); }
    std::vector<std::string> lines;
};

// Follows real files with the real reader; the lines it reads are kept raw.
class FileFollower final : public FollowedLog, private LineSink {
  public:
    FileFollower(const platform::FileOpener& files, platform::ErrorLog& errors,
                 const platform::Clock& clock)
        : reader_(tail, *this, files, errors, clock) {}

    void follow(const std::filesystem::path& log, ByteOffset consumed) override {
        tail.attach(log, consumed);
    }
    void switchFile(const std::filesystem::path& log, ByteOffset consumed) override {
        tail.attach(log, consumed);
    }
    void release() override { tail.detach(); }
    void catchUp() override { reader_.readAll(); }

    LogTail tail;
    std::vector<std::string> routed;

  private:
    void routeLine(std::string_view raw) override { routed.emplace_back(raw); }
    LogReader reader_;
};

class ScriptedChooser final : public LogFileChooser {
  public:
    ChosenLog chooseLog(std::string_view cp932InitialFolder) override {
        folders.emplace_back(cp932InitialFolder);
        return answer;
    }
    ChosenLog answer;
    std::vector<std::string> folders;
};

class RecordingExpAttach final : public ExpAttachEvents {
  public:
    void ResetForAttach() override { ++resets; }
    void AddDayGain(std::int64_t amount, std::string_view) override { gains.push_back(amount); }
    void AddTidiedLevelUp(std::string_view stamp) override { levelUps.emplace_back(stamp); }
    void SetAttachedLogPath(std::string_view cp932Path) override { paths.emplace_back(cp932Path); }
    void StartNewDayChart() override { ++newDayCharts; }
    int resets = 0;
    int newDayCharts = 0;
    std::vector<std::int64_t> gains;
    std::vector<std::string> levelUps;  // their time stamps
    std::vector<std::string> paths;
};

}  // namespace ruv::testing
