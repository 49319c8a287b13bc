#pragma once
// Past-log tidying: sorts the lines a log already holds into the views, in
// slices, so the event loop can run between them.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

#include "core/lines/chat_format.h"
#include "core/text/units.h"

namespace ruv {

// Where tidying puts what it finds.
class PastLogSink {
  public:
    virtual ~PastLogSink() = default;

    // One display text appended as a line to a view, in the given colour.
    virtual void append(ChatChannel view, std::string_view text, Colour colour) = 0;
    // The experience an experience-gain line reports, for the day's totals;
    // stamp: the line's time stamp, which places the gain in its hour.
    virtual void addDayGain(std::int64_t amount, std::string_view stamp) = 0;
    // An experience-gain line whose amount is not an integer. Its gain is not
    // counted; the line is still appended and tidying goes on.
    virtual void unreadableGain(std::string_view display) = 0;
    // A level-up line, at its time stamp; only the hourly chart marks it.
    virtual void levelUp(std::string_view /*stamp*/) {}
    // A line about to be appended to the views of its own marker's channel.
    virtual void lineSorted(ChatChannel /*own*/, std::string_view /*display*/) {}
    // Whether the NG lists hold the line back: it then goes to the NGフィルター
    // view alone, and counts no EXP. Tidying holds nothing back unless asked.
    virtual bool heldBack(std::string_view /*raw*/, std::string_view /*display*/) { return false; }
};

enum class SortProgress { More, Done };

// Sorts a log's bytes by the one-pass rules of tidying: the header block is
// stripped, raw lines are cut at "</font></br>" and a line end, and every
// line goes to the views of its own marker, the first one in the line.
class PastLogSort {
  public:
    // The log's bytes up to the consumed count taken at attach; zero bytes are
    // dropped here.
    explicit PastLogSort(std::string bytes);

    // Sorts up to maxLines more raw lines (skipped and dropped lines count).
    SortProgress step(PastLogSink& sink, LineCount maxLines);
    void runToEnd(PastLogSink& sink);

    bool done() const noexcept { return done_; }
    // Bytes of the buffer already cut into lines or stripped as header.
    ByteOffset position() const noexcept { return ByteOffset{static_cast<std::int64_t>(pos_)}; }
    ByteOffset size() const noexcept {
        return ByteOffset{static_cast<std::int64_t>(bytes_.size())};
    }

  private:
    bool remainderHoldsLineMarker();
    void stripHeaderBlock();
    void sortLine(std::string_view cut, PastLogSink& sink);

    std::string bytes_;
    std::size_t pos_ = 0;
    bool done_ = false;
    // Where the last search found the line marker, valid while it lies ahead
    // and the character walk since that search stayed on character boundaries.
    std::optional<std::size_t> nextLineMarker_;
    // Scratch buffers reused from line to line.
    std::string cleaned_;
    std::string scratch_;
    std::string display_;
};

// Whether tidying would put any line of bytes in a view; false for a file that
// is no chat log at all. Stops at the first such line.
bool holdsChatLine(std::string bytes);

namespace platform {
class FileOpener;
}

// The first `upTo` bytes of a log (fewer if the file is shorter), opened for
// one read with sharing that lets the game keep writing. On failure bytes is
// empty and error says why.
struct PastLogBytes {
    std::string bytes;
    std::error_code error;
};
PastLogBytes readPastLog(const platform::FileOpener& opener, const std::filesystem::path& path,
                         ByteOffset upTo);
// Through the operating system's files.
PastLogBytes readPastLog(const std::filesystem::path& path, ByteOffset upTo);
// The whole file.
PastLogBytes readPastLog(const std::filesystem::path& path);

}  // namespace ruv
