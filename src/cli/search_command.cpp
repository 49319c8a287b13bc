// mh_ruvivuvaz-cli search: the window's search over every daily log of a
// folder, one result a line, newest day first.

#include <memory>
#include <ostream>
#include <string>

#include "cli/commands.h"
#include "cli/file_report.h"
#include "core/app/settings_folder.h"
#include "core/log/search_ng_filter.h"
#include "core/search/log_search.h"
#include "core/search/no_result_reason.h"
#include "core/search/search_result_line.h"
#include "core/text/cp932.h"

namespace ruv::cli {

namespace {

std::string pathText(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

std::string reasonText(NoResultReason reason, const std::filesystem::path& folder,
                       const SearchSummary& summary) {
    switch (reason) {
        case NoResultReason::EmptyText:
            return "TEXT is empty";
        case NoResultReason::NoChannel:
            return "no channel is searched";
        case NoResultReason::ReversedRange:
            return "--from is after --to";
        case NoResultReason::NoDailyLog:
            return pathText(folder) + " holds no daily log (MHChatLog_yyyy_mm_dd.html)";
        case NoResultReason::NoDayInRange:
            return "no daily log of " + pathText(folder) + " lies between --from and --to";
        case NoResultReason::LeftOutByNg:
            return std::to_string(summary.linesLeftOutByNg) +
                   " matching lines are on the NG lists; --include-ng shows them";
    }
    return {};
}

class PrintedResults final : public SearchListener {
  public:
    PrintedResults(TextEncoding encoding, std::ostream& out, std::ostream& err)
        : encoding_(encoding), out_(out), err_(err) {}

    void started(SearchProgress) override {}
    void dayHits(CivilDate day, std::span<const SearchHit> hits) override {
        for (const SearchHit& hit : hits) {
            const std::string line = searchResultLine(day, hit);
            out_ << (encoding_ == TextEncoding::Utf8 ? cp932::toUtf8(line) : line) << '\n';
        }
    }
    void dayDone(CivilDate, std::int64_t) override {}
    void daySkipped(const SkippedDay& skipped) override {
        err_ << kMessagePrefix << "skipped " << logDayText(skipped.day) << " ("
             << pathText(skipped.path) << "): "
             << (skipped.reason == SkipReason::NotAChatLog
                     ? std::string("not a chat log")
                     : "cannot read: " + skipped.error.message())
             << '\n';
    }
    void progressed(SearchProgress) override {}
    void finished(const SearchSummary& summary) override { summary_ = summary; }

    const SearchSummary& summary() const { return summary_; }

  private:
    TextEncoding encoding_;
    std::ostream& out_;
    std::ostream& err_;
    SearchSummary summary_;
};

}  // namespace

int runSearchCommand(const SearchCommand& command, std::ostream& out, std::ostream& err) {
    SearchRun run{command.folder, command.query};
    if (command.settingsFolder) {
        RouteSettings settings;
        NgLists lists;
        try {
            loadSettingsFolder(*command.settingsFolder, settings, lists);
        } catch (const std::exception& failure) {
            err << kMessagePrefix << "cannot apply the settings of "
                << pathText(*command.settingsFolder) << ": " << failure.what() << '\n';
            return kSearchError;
        }
        const NgLines lines = run.query.ng.lines;
        run.query.ng = ngFilterOf(settings, std::move(lists));
        run.query.ng.lines = lines;
    }
    const auto printer = std::make_shared<PrintedResults>(command.encoding, out, err);
    LogSearch search;
    search.start(std::move(run), printer);
    search.wait();
    out.flush();
    const SearchSummary& summary = printer->summary();
    if (summary.end == SearchEnd::FolderUnreadable) {
        err << kMessagePrefix << "cannot read the folder " << pathText(command.folder) << ": "
            << summary.folderError.message() << '\n';
        return kSearchError;
    }
    // As grep: every hit found is printed, and a file that could not be read
    // makes the search an error.
    if (!out || summary.daysUnreadable > 0) {
        return kSearchError;
    }
    if (summary.matches > 0) {
        return kSearchMatched;
    }
    const std::optional<NoResultReason> reason = noResultReason(command.query, summary);
    if (!reason) {
        return kSearchNoMatch;
    }
    err << kMessagePrefix << "no match: " << reasonText(*reason, command.folder, summary) << '\n';
    return isSearchError(*reason) ? kSearchError : kSearchNoMatch;
}

}  // namespace ruv::cli
