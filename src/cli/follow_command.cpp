// mh_ruvivuvaz-cli follow: follows a growing log as the program does and prints
// the trace of routing each line as it arrives.

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <ostream>
#include <thread>

#include "cli/commands.h"
#include "core/log/chat_format.h"
#include "core/log/log_reader.h"
#include "core/log/route_trace.h"
#include "core/platform/shared_file.h"
#include "core/text/cp932.h"

namespace ruv::cli {

namespace {

// How often the size of the log is looked at while nothing is waiting.
constexpr std::chrono::milliseconds kPollInterval{10};

volatile std::sig_atomic_t stopRequested = 0;

extern "C" void requestStop(int) {
    stopRequested = 1;
}

std::string inEncoding(std::string_view cp932Text, TextEncoding encoding) {
    return encoding == TextEncoding::Utf8 ? cp932::toUtf8(cp932Text) : std::string(cp932Text);
}

// Sets the stop flag on SIGINT and SIGTERM while alive.
class StopSignals {
  public:
    StopSignals() {
        stopRequested = 0;
        previousInt_ = std::signal(SIGINT, requestStop);
        previousTerm_ = std::signal(SIGTERM, requestStop);
    }
    ~StopSignals() {
        std::signal(SIGINT, previousInt_);
        std::signal(SIGTERM, previousTerm_);
    }
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

  private:
    using Handler = void (*)(int);
    Handler previousInt_ = SIG_DFL;
    Handler previousTerm_ = SIG_DFL;
};

}  // namespace

int runFollowCommand(const std::filesystem::path& log, FollowStart start, TextEncoding encoding,
                     const std::optional<std::filesystem::path>& settingsFolder, std::ostream& out,
                     std::ostream& err) {
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

    TracedRouting routing(out,
                          encoding == TextEncoding::Utf8 ? ListingText::Utf8 : ListingText::Cp932);
    if (settingsFolder) {
        try {
            routing.applySettingsFolder(*settingsFolder);
        } catch (const std::exception& failure) {
            err << "mh_ruvivuvaz-cli: cannot apply the settings of " << settingsFolder->string()
                << ": " << failure.what() << '\n';
            return 1;
        }
    }

    LogTail tail;
    tail.attach(log, start == FollowStart::FromStart ? ByteOffset{} : *size);
    const platform::SystemClock clock;
    LogReader reader(tail, routing.router(), files, routing.printer(), clock);

    const StopSignals signals;
    bool sizeReported = false;
    while (stopRequested == 0) {
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
