#include "core/log/route_trace.h"

#include <ostream>
#include <stdexcept>
#include <vector>

#include "core/config/config_store.h"
#include "core/config/settings_apply.h"
#include "core/config/settings_files.h"
#include "core/text/cp932.h"
#include "core/views/channel_table.h"
#include "core/views/ng_list_files.h"

namespace ruv {
namespace {

constexpr Colour kWindowColour{0xffffff};

std::size_t slot(ChatChannel view) {
    return static_cast<std::size_t>(view);
}

}  // namespace

RouteTracePrinter::RouteTracePrinter(std::ostream& out, ListingText text,
                                     const RouteSettings& settings)
    : out_(out), text_(text), settings_(settings) {}

std::string RouteTracePrinter::shown(std::string_view text) const {
    return text_ == ListingText::Utf8 ? cp932::toUtf8(text) : std::string(text);
}

void RouteTracePrinter::print(const std::string& line) {
    out_ << line << '\n';
    out_.flush();
}

void RouteTracePrinter::Append(ChatChannel view, std::string_view text, Colour colour) {
    lastColour_[slot(view)] = colour;
    print(std::string(settingsKey(view)) + '\t' + colourText(colour) + '\t' + shown(text));
}

Colour RouteTracePrinter::LastLineColour(ChatChannel view) const {
    if (const auto& last = lastColour_[slot(view)]) {
        return *last;
    }
    return viewDefaultColour(view).value_or(kWindowColour);
}

void RouteTracePrinter::RecordGain(std::int64_t amount) {
    print("gain\t" + std::to_string(amount));
}

void RouteTracePrinter::RecordLevelUp() {
    print("level-up");
}

void RouteTracePrinter::SpeakLine(std::string_view text, SpeakerLine speaker) {
    print(std::string("speak\t") + (speaker == SpeakerLine::Yes ? "1" : "0") + '\t' + shown(text));
}

void RouteTracePrinter::append(std::string_view line) {
    print("error\t" + shown(line));
}

TracedRouting::TracedRouting(std::ostream& out, ListingText text)
    : switches_(settings_),
      printer_(out, text, settings_),
      router_(RoutePorts{printer_, switches_, printer_, printer_, printer_, printer_, printer_},
              lists_, counters_) {}

void loadSettingsFolder(const std::filesystem::path& folder, RouteSettings& route, NgLists& lists) {
    config::ConfigStore store;
    if (store.load(folder / config::kConfigFileName) == config::FileLoad::Loaded) {
        config::AppSettings settings;
        config::SpeechRowsRead speech;
        const std::vector<config::StartupIssue> issues =
            config::applyConfigRows(store, settings, speech);
        if (!issues.empty()) {
            throw std::runtime_error(issues.front().detail);
        }
        route = settings.route;
    }
    LoadNgLists(folder, lists);
}

void TracedRouting::applySettingsFolder(const std::filesystem::path& folder) {
    loadSettingsFolder(folder, settings_, lists_);
}

}  // namespace ruv
