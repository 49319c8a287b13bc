#include "core/log/sort_listing.h"

#include <ostream>

#include "core/text/cp932.h"
#include "core/vocabulary/checked_math.h"

namespace ruv {

namespace {

// What is gathered before it is written.
constexpr std::size_t kGatheredBytes = 1u << 16;

// "#rrggbb", as colourText writes it.
void appendColour(std::string& out, Colour colour) {
    constexpr std::string_view kDigits = "0123456789abcdef";
    out += '#';
    for (int shift = 20; shift >= 0; shift -= 4) {
        out += kDigits[(colour.rgb >> shift) & 0xfu];
    }
}

}  // namespace

SortListingWriter::SortListingWriter(ListingText text, std::ostream& out, std::ostream& err)
    : text_(text), out_(out), err_(err) {
    gathered_.reserve(kGatheredBytes + 4096);
}

void SortListingWriter::appendShown(std::string_view text) {
    if (text_ == ListingText::Utf8) {
        gathered_ += cp932::toUtf8(text);
    } else {
        gathered_ += text;
    }
}

void SortListingWriter::writeGathered() {
    out_.write(gathered_.data(), static_cast<std::streamsize>(gathered_.size()));
    gathered_.clear();
}

void SortListingWriter::append(ChatChannel view, std::string_view text, Colour colour) {
    gathered_ += settingsKey(view);
    gathered_ += '\t';
    appendColour(gathered_, colour);
    gathered_ += '\t';
    appendShown(text);
    gathered_ += '\n';
    ++totals_.lines;
    if (gathered_.size() >= kGatheredBytes) {
        writeGathered();
    }
}

void SortListingWriter::addDayGain(std::int64_t amount, std::string_view) {
    totals_.dayGain = saturatingAdd(totals_.dayGain, amount);
    ++totals_.gainCount;
}

void SortListingWriter::unreadableGain(std::string_view display) {
    ++totals_.unreadableGains;
    // What was listed before the line comes out before the message.
    writeGathered();
    out_.flush();
    err_ << "experience gain is not an integer, not counted: "
         << (text_ == ListingText::Utf8 ? cp932::toUtf8(display) : std::string(display)) << '\n';
}

void SortListingWriter::finish() {
    writeGathered();
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
