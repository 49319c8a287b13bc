#include "core/log/sort_listing.h"

#include <ostream>

#include "core/text/cp932.h"
#include "core/vocabulary/checked_math.h"

namespace ruv {

SortListingWriter::SortListingWriter(ListingText text, std::ostream& out, std::ostream& err)
    : text_(text), out_(out), err_(err) {}

std::string SortListingWriter::shown(std::string_view text) const {
    return text_ == ListingText::Utf8 ? cp932::toUtf8(text) : std::string(text);
}

void SortListingWriter::append(ChatChannel view, std::string_view text, Colour colour) {
    out_ << settingsKey(view) << '\t' << colourText(colour) << '\t' << shown(text) << '\n';
    ++totals_.lines;
}

void SortListingWriter::addDayGain(std::int64_t amount, std::string_view) {
    totals_.dayGain = saturatingAdd(totals_.dayGain, amount);
    ++totals_.gainCount;
}

void SortListingWriter::unreadableGain(std::string_view display) {
    ++totals_.unreadableGains;
    err_ << "experience gain is not an integer, not counted: " << shown(display) << '\n';
}

void SortListingWriter::finish() {
    out_ << "day-gain\t" << totals_.dayGain << '\t' << totals_.gainCount << '\n';
}

SortListingTotals writeSortListing(std::string bytes, ListingText text, std::ostream& out,
                                   std::ostream& err) {
    PastLogSort sort(std::move(bytes));
    SortListingWriter writer(text, out, err);
    sort.runToEnd(writer);
    writer.finish();
    return writer.totals();
}

}  // namespace ruv
