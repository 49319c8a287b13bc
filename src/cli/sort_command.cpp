#include <ostream>
#include <string>

#include "cli/commands.h"
#include "core/log/past_log_sort.h"
#include "core/log/sort_listing.h"

namespace ruv::cli {

namespace {

std::string pathText(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

}  // namespace

int runSortCommand(const std::filesystem::path& log, TextEncoding encoding, std::ostream& out,
                   std::ostream& err) {
    PastLogBytes read = readPastLog(log);
    if (read.error) {
        err << "sort: cannot read " << pathText(log) << ": " << read.error.message() << '\n';
        return 1;
    }
    writeSortListing(std::move(read.bytes),
                     encoding == TextEncoding::Utf8 ? ListingText::Utf8 : ListingText::Cp932, out,
                     err);
    out.flush();
    return out ? 0 : 1;
}

}  // namespace ruv::cli
