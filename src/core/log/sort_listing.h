#pragma once
// A plain-text listing of what tidying appends to the views, for the command
// line and for checking the sort from outside.

#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>

#include "core/log/past_log_sort.h"

namespace ruv {

enum class ListingText { Utf8, Cp932 };

struct SortListingTotals {
    std::int64_t lines = 0;
    std::int64_t dayGain = 0;
    std::int64_t gainCount = 0;
    std::int64_t unreadableGains = 0;
};

// Writes one `VIEW<TAB>#rrggbb<TAB>TEXT` line per append (VIEW the view's
// settings key), then `day-gain<TAB>TOTAL<TAB>COUNT`. An experience gain that
// is not an integer is reported with one line on err. The listing is gathered
// and written in large pieces: a day's log lists hundreds of thousands of lines.
class SortListingWriter final : public PastLogSink {
  public:
    SortListingWriter(ListingText text, std::ostream& out, std::ostream& err);

    void append(ChatChannel view, std::string_view text, Colour colour) override;
    void addDayGain(std::int64_t amount, std::string_view) override;
    void unreadableGain(std::string_view display) override;

    // The closing `day-gain` line; everything gathered is written.
    void finish();
    const SortListingTotals& totals() const noexcept { return totals_; }

  private:
    void appendShown(std::string_view text);
    void writeGathered();

    ListingText text_;
    std::string gathered_;
    std::ostream& out_;
    std::ostream& err_;
    SortListingTotals totals_;
};

// Sorts the bytes to the end and writes the whole listing.
SortListingTotals writeSortListing(std::string bytes, ListingText text, std::ostream& out,
                                   std::ostream& err);

}  // namespace ruv
