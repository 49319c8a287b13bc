#pragma once
// Follows the attached log: one call reads one block appended since the last
// look and hands its complete lines, in file order, to a line sink.

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

#include "core/text/fixed_text.h"

#include "core/lines/line_sink.h"
#include "core/lines/log_tail.h"
#include "core/lines/unreadable_lines.h"
#include "core/platform/clock.h"
#include "core/platform/error_log.h"
#include "core/platform/monotonic_clock.h"
#include "core/platform/shared_file.h"
#include "core/text/units.h"

namespace ruv {

// The largest block one slice reads.
inline constexpr std::int64_t kLogBlockBytes = 102'400;
// How many of the last consumed bytes a look reads again to tell whether the
// file under the name is still the one they were consumed from.
inline constexpr std::int64_t kConsumedTailBytes = 256;

inline const FixedText kLogReadFailureText{
    "フィルター処理中にエラーが発生しました(ShellChangeNotifier01Change)"};
// "ファイルサイズを取得できません。": shown when the log's size cannot be taken.
inline const FixedText kLogSizeUnavailableText{"ファイルサイズを取得できません。"};

enum class SliceStatus {
    NotAttached,      // no log attached: nothing done
    SizeUnavailable,  // the log could not be opened or sized: nothing changed
    ReadFailed,       // seeking or reading failed: reported to the error log, nothing consumed
    CaughtUp,         // all complete lines up to the size seen are routed
    MoreWaiting,      // more bytes are waiting: run another slice
    Reattached,       // the tail was pointed at another log while routing: stopped
};

struct SliceResult {
    SliceStatus status = SliceStatus::NotAttached;
    LineCount routed;           // lines handed to the sink, failed ones included
    LineCount failed;           // lines whose routing failed (a line's own fault is no failure)
    std::error_code sizeError;  // why the size was unavailable
};

// The last bytes the reader consumed, read again at the next look: another
// file under the log's name, even one given the old file number, differs there.
struct ConsumedLogTail {
    std::uint64_t attachment = 0;
    ByteOffset end;
    std::string bytes;
};

class LogReader {
  public:
    LogReader(LogTail& tail, LineSink& sink, const platform::FileOpener& files,
              platform::ErrorLog& errors, const platform::Clock& clock)
        : tail_(tail), sink_(sink), files_(files), errors_(errors), clock_(clock) {}

    // Lines that cannot be read are named through `lines`, which the tidying
    // of later attaches shares, so each is named once; by default the reader
    // keeps its own record.
    void nameUnreadableLinesIn(UnreadableLines& lines) noexcept { unreadable_ = &lines; }

    // Reads at most kLogBlockBytes from the consumed offset and routes every
    // complete line in it, advancing consumed past each. A last line without
    // its line feed waits for it, unless it fills a whole block on its own.
    // A log written anew under its name (shorter than consumed, another file
    // than at the last look, or one whose bytes before consumed are not the
    // ones consumed) is followed from its first byte.
    SliceResult readSlice();

    // Bounds each slice by time as well: once a slice has run for budget (by
    // clock), it ends after the line it is routing and reports MoreWaiting, so
    // the rest of a burst waits for the next slice. At least one line a slice.
    void setTimeBudget(const platform::MonotonicClock& clock, std::chrono::nanoseconds budget);

    // Slices until caught up or stopped; the status of the last slice and the
    // lines of all of them.
    SliceResult readAll();

  private:
    void routeLine(std::string_view bytes, SliceResult& result);
    // Whether the file now at the tail's path is not the one consumed counts
    // bytes of; remembers it for the next look.
    bool isAnotherFile(std::uint64_t attachment,
                       const std::optional<platform::FileIdentity>& identity, ByteOffset size);
    // Reads from `from` (at or before consumed) into buffer_ up to one block
    // past consumed.
    std::optional<std::size_t> readFrom(platform::SharedReadFile& file, ByteOffset from,
                                        ByteOffset size);
    // Whether buffer_'s first `lead` bytes are the last ones consumed at start.
    bool stillTheConsumedFile(std::uint64_t attachment, ByteOffset start, std::int64_t lead) const;
    void rememberConsumedTail(std::uint64_t attachment, std::size_t endInBuffer);
    void restartFromFirstByte(std::uint64_t attachment);

    struct Waiting {
        std::uint64_t attachment;
        ByteOffset consumed;
        ByteOffset size;
    };

    LogTail& tail_;
    LineSink& sink_;
    const platform::FileOpener& files_;
    platform::ErrorLog& errors_;
    const platform::Clock& clock_;
    UnreadableLines ownUnreadable_{errors_};
    UnreadableLines* unreadable_ = &ownUnreadable_;
    const platform::MonotonicClock* sliceClock_ = nullptr;
    std::chrono::nanoseconds sliceBudget_{};
    // The last consumed bytes read again, then the new block.
    std::string buffer_;
    std::string line_;
    // An unfinished last line seen at this size: no need to read it again
    // until the file grows.
    std::optional<Waiting> waiting_;
    // The file read at the last look of an attachment.
    struct Followed {
        std::uint64_t attachment;
        std::optional<platform::FileIdentity> identity;
    };
    std::optional<Followed> followed_;
    // The last bytes consumed of an attachment, ending at `end`.
    std::optional<ConsumedLogTail> consumedTail_;
};

}  // namespace ruv
