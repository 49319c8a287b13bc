// mh_ruvivuvaz-cli follow: follows a growing log as the program does and prints
// each line as it arrives.

#include <cerrno>
#include <chrono>
#include <cstring>
#include <ostream>
#include <thread>

#include "cli/commands.h"
#include "core/log/chat_format.h"
#include "core/log/log_reader.h"
#include "core/platform/shared_file.h"
#include "core/platform/stop_requests.h"
#include "core/text/cp932.h"

namespace ruv::cli {

namespace {

// How often the size of the log is looked at while nothing is waiting.
constexpr std::chrono::milliseconds kPollInterval{10};

std::string inEncoding(std::string_view cp932Text, TextEncoding encoding) {
    return encoding == TextEncoding::Utf8 ? cp932::toUtf8(cp932Text) : std::string(cp932Text);
}

// Prints LINE<TAB>TEXT: the line's number in this run and its display text.
class PrintingSink final : public LineSink {
  public:
    PrintingSink(std::ostream& out, TextEncoding encoding) : out_(out), encoding_(encoding) {}
    void routeLine(std::string_view raw) override {
        ++count_;
        out_ << count_ << '\t' << inEncoding(displayText(raw), encoding_) << '\n';
        out_.flush();
    }

  private:
    std::ostream& out_;
    TextEncoding encoding_;
    std::int64_t count_ = 0;
};

class StreamErrorLog final : public platform::ErrorLog {
  public:
    StreamErrorLog(std::ostream& err, TextEncoding encoding) : err_(err), encoding_(encoding) {}
    void append(std::string_view line) override {
        err_ << inEncoding(line, encoding_) << '\n';
        err_.flush();
    }

  private:
    std::ostream& err_;
    TextEncoding encoding_;
};

}  // namespace

int runFollowCommand(const std::filesystem::path& log, FollowStart start, TextEncoding encoding,
                     std::ostream& out, std::ostream& err) {
    const platform::NativeFileOpener files;
    std::optional<ByteOffset> size;
    if (auto file = files.openShared(log)) {
        size = file->size();
    }
    if (!size) {
        const int error = errno;
        err << "mh_ruvivuvaz-cli: cannot open " << log.string() << ": " << std::strerror(error)
            << '\n';
        return 1;
    }

    LogTail tail;
    tail.attach(log, start == FollowStart::FromStart ? ByteOffset{} : *size);
    PrintingSink sink(out, encoding);
    StreamErrorLog errors(err, encoding);
    const platform::SystemClock clock;
    LogReader reader(tail, sink, files, errors, clock);

    const platform::StopRequests stop;
    bool sizeReported = false;
    while (!stop.requested()) {
        const SliceResult slice = reader.readSlice();
        if (slice.status == SliceStatus::MoreWaiting) {
            continue;
        }
        const bool unavailable = slice.status == SliceStatus::SizeUnavailable;
        if (unavailable && !sizeReported) {
            err << inEncoding(kLogSizeUnavailableText, encoding) << '\n';
            err.flush();
        }
        sizeReported = unavailable;
        std::this_thread::sleep_for(kPollInterval);
    }
    return 0;
}

}  // namespace ruv::cli
