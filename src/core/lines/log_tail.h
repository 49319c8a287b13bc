#pragma once
// The attached log and how much of it is already handled.

#include <cstdint>
#include <filesystem>
#include <utility>

#include "core/text/units.h"

namespace ruv {

class LogTail {
  public:
    // Points the tail at a log; the next read starts at consumed.
    void attach(std::filesystem::path path, ByteOffset consumed) {
        path_ = std::move(path);
        consumed_ = consumed;
        ++attachment_;
    }
    void detach() {
        path_.clear();
        consumed_ = {};
        ++attachment_;
    }

    bool attached() const noexcept { return !path_.empty(); }
    const std::filesystem::path& path() const noexcept { return path_; }
    ByteOffset consumed() const noexcept { return consumed_; }
    // Changes with every attach and detach.
    std::uint64_t attachment() const noexcept { return attachment_; }

    // Moves consumed on, but only while the tail is still the attachment the
    // reader started from: a read of the old log never lands in a new one.
    bool advance(std::uint64_t attachment, ByteOffset consumed) noexcept {
        if (attachment != attachment_) {
            return false;
        }
        consumed_ = consumed;
        return true;
    }

  private:
    std::filesystem::path path_;
    ByteOffset consumed_;
    std::uint64_t attachment_ = 0;
};

}  // namespace ruv
