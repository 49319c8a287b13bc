#pragma once
// The recent-log list: the logs attached last, most recent first, kept in
// loghistoryslist.txt between runs.

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

#include "core/config/list_file.h"

namespace ruv {

// The File menu shows this many entries (LogHistory00 to LogHistory04).
inline constexpr std::size_t kLogHistoryMenuEntries = 5;

class LogHistoryList {
  public:
    LogHistoryList() = default;
    explicit LogHistoryList(config::TextLines entries) : entries_(std::move(entries)) {}

    // Moves an attached path (CP932) to the head. A path that is only part of
    // a longer entry counts as new; at most one entry beyond the fifth is
    // dropped per call, so a longer hand-edited list shrinks one by one.
    void record(std::string_view path);

    // Entry i; empty text at or beyond the end.
    std::string_view at(std::size_t i) const;
    std::size_t size() const noexcept { return entries_.size(); }
    // The entries, each followed by CR LF.
    std::string wholeText() const;

    const config::TextLines& entries() const noexcept { return entries_; }
    void assign(config::TextLines entries) { entries_ = std::move(entries); }

  private:
    config::TextLines entries_;
};

// loghistoryslist.txt in the settings folder.
std::filesystem::path logHistoryFile(const std::filesystem::path& settingsFolder);

// Replaces the list with the file's lines, all of them; a missing file leaves
// the list as it was. Throws config::FileError when the file can't be read.
void loadLogHistory(const std::filesystem::path& file, LogHistoryList& list);
// Writes every entry followed by CR LF, replacing the file; throws
// config::FileError or config::UnsavableText.
void saveLogHistory(const std::filesystem::path& file, const LogHistoryList& list);

}  // namespace ruv
