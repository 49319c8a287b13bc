#include <ostream>

#include "cli/commands.h"
#include "cli/file_report.h"
#include "core/log/past_log_sort.h"
#include "core/log/sort_listing.h"

namespace ruv::cli {

int runSortCommand(const std::filesystem::path& log, TextEncoding encoding, std::ostream& out,
                   std::ostream& err) {
    PastLogBytes read = readPastLog(log);
    if (read.error) {
        reportFile(err, log, read.error.message());
        return 1;
    }
    const SortListingTotals totals = writeSortListing(
        std::move(read.bytes),
        encoding == TextEncoding::Utf8 ? ListingText::Utf8 : ListingText::Cp932, out, err);
    out.flush();
    if (totals.lines == 0) {
        reportFile(err, log, kNoChatLineText);
    }
    return out ? 0 : 1;
}

}  // namespace ruv::cli
