#include "core/log/route_trace.h"

#include <ostream>
#include <vector>

#include "core/text/cp932.h"
#include "core/vocabulary/channel_table.h"

namespace ruv {
RouteTracePrinter::RouteTracePrinter(std::ostream& out, ListingText text)
    : out_(out), text_(text) {}

std::string RouteTracePrinter::shown(std::string_view text) const {
    return text_ == ListingText::Utf8 ? cp932::toUtf8(text) : std::string(text);
}

void RouteTracePrinter::print(const std::string& line) {
    out_ << line << '\n';
    out_.flush();
}

void RouteTracePrinter::linesAdded(ChatChannel view, std::string_view text, Colour colour) {
    print(std::string(settingsKey(view)) + '\t' + colourText(colour) + '\t' + shown(text));
}

void RouteTracePrinter::RecordGain(std::int64_t amount, std::string_view) {
    print("gain\t" + std::to_string(amount));
}

void RouteTracePrinter::RecordLevelUp(std::string_view) {
    print("level-up");
}

void RouteTracePrinter::SpeakLine(std::string_view text, SpeakerLine speaker, SpeechPriority) {
    print(std::string("speak\t") + (speaker == SpeakerLine::Yes ? "1" : "0") + '\t' + shown(text));
}

void RouteTracePrinter::append(std::string_view line) {
    print("error\t" + shown(line));
}

TracedRouting::TracedRouting(std::ostream& out, ListingText text)
    : printer_(out, text),
      router_(RoutePorts{printer_, printer_, printer_, printer_, printer_, printer_},
              RouteState{settings_, lists_, book_, counters_}) {
    for (const ChannelRow& row : kChannelTable) {
        book_.lines(row.channel).setCapacity(LineCount{1});
        book_.lines(row.channel).watch(printer_);
    }
}

}  // namespace ruv
