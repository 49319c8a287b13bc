#include "core/log/log_history.h"

#include "core/config/settings_files.h"
#include "core/text/sjis.h"

namespace ruv {

namespace {
constexpr std::size_t kKeptAfterAttach = kLogHistoryMenuEntries;
}  // namespace

void LogHistoryList::record(std::string_view path) {
    if (entries_.empty()) {
        entries_.emplace_back(path);
    } else if (!sjis::contains(wholeText(), path)) {
        entries_.emplace(entries_.begin(), path);
    } else {
        // Each position is looked at after any earlier removal.
        for (std::size_t i = 1; i < kLogHistoryMenuEntries; ++i) {
            if (i < entries_.size() && entries_[i] == path) {
                entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(i));
            }
        }
        if (entries_.front() != path) {
            entries_.emplace(entries_.begin(), path);
        }
    }
    if (entries_.size() > kKeptAfterAttach) {
        entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(kKeptAfterAttach));
    }
}

std::string_view LogHistoryList::at(std::size_t i) const {
    return i < entries_.size() ? std::string_view(entries_[i]) : std::string_view();
}

std::string LogHistoryList::wholeText() const {
    std::string text;
    for (const std::string& entry : entries_) {
        text += entry;
        text += "\r\n";
    }
    return text;
}

std::filesystem::path logHistoryFile(const std::filesystem::path& settingsFolder) {
    return settingsFolder / config::kLogHistoryFileName;
}

void loadLogHistory(const std::filesystem::path& file, LogHistoryList& list) {
    config::TextLines lines;
    if (config::loadList(file, lines) == config::FileLoad::Loaded) {
        list.assign(std::move(lines));
    }
}

void saveLogHistory(const std::filesystem::path& file, const LogHistoryList& list) {
    config::saveList(file, list.entries());
}

}  // namespace ruv
