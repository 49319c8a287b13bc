// mh_ruvivuvaz-cli follow: follows a growing log as the program does and prints
// the trace of routing each line as it arrives.

#include <chrono>
#include <ostream>
#include <thread>

#include "cli/commands.h"
#include "cli/file_report.h"
#include "core/app/settings_folder.h"
#include "core/lines/chat_format.h"
#include "core/lines/log_reader.h"
#include "core/log/attach_point.h"
#include "core/log/past_log_sort.h"
#include "core/log/route_trace.h"
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

}  // namespace

int runFollowCommand(const std::filesystem::path& log, FollowStart start, TextEncoding encoding,
                     const std::optional<std::filesystem::path>& settingsFolder, std::ostream& out,
                     std::ostream& err) {
    // Heard from the start, so a stop asked for while the log is first read ends cleanly.
    const platform::StopRequests stop;
    const platform::NativeFileOpener files;
    // As attaching does: after the last complete line, so a line the game is
    // writing now is traced whole once it is finished.
    std::error_code why;
    std::optional<ByteOffset> sizeAtStart;
    std::optional<ByteOffset> startAt;
    if (auto file = files.openShared(log, why)) {
        sizeAtStart = file->size();
        if (sizeAtStart) {
            startAt =
                start == FollowStart::FromStart ? ByteOffset{} : attachPoint(*file, *sizeAtStart);
        } else {
            why = file->lastError();
        }
    }
    if (!startAt) {
        reportFile(err, log, why.message());
        return 1;
    }

    TracedRouting routing(out,
                          encoding == TextEncoding::Utf8 ? ListingText::Utf8 : ListingText::Cp932);
    if (settingsFolder) {
        try {
            loadSettingsFolder(*settingsFolder, routing.settings(), routing.lists());
        } catch (const std::exception& failure) {
            reportFile(err, *settingsFolder, failure.what());
            return 1;
        }
    }
    // An empty log is one the game has only just made; anything else present
    // is looked at once.
    if (*sizeAtStart > ByteOffset{}) {
        PastLogBytes present = readPastLog(files, log, *sizeAtStart);
        if (!present.error && !holdsChatLine(std::move(present.bytes))) {
            reportFile(err, log, kNoChatLineText);
        }
    }

    LogTail tail;
    tail.attach(log, *startAt);
    const platform::SystemClock clock;
    LogReader reader(tail, routing.router(), files, routing.printer(), clock);

    bool sizeReported = false;
    while (!stop.requested()) {
        const SliceResult slice = reader.readSlice();
        if (slice.status == SliceStatus::MoreWaiting) {
            continue;
        }
        const bool unavailable = slice.status == SliceStatus::SizeUnavailable;
        if (unavailable && !sizeReported) {
            reportFile(err, log,
                       inEncoding(kLogSizeUnavailableText, encoding) + " (" +
                           slice.sizeError.message() + ")");
        }
        sizeReported = unavailable;
        std::this_thread::sleep_for(kPollInterval);
    }
    return 0;
}

}  // namespace ruv::cli
