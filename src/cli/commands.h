#pragma once
// The commands of mh_ruvivuvaz-cli.

#include <filesystem>
#include <iosfwd>
#include <optional>

#include "core/search/search_query.h"

namespace ruv::cli {

enum class TextEncoding { Utf8, Cp932 };
// AtEnd: after the last complete line, as attaching does.
enum class FollowStart { AtEnd, FromStart };

// Prints every line past-log tidying appends to a view, then the day's gains.
int runSortCommand(const std::filesystem::path& log, TextEncoding encoding, std::ostream& out,
                   std::ostream& err);

// Follows the log as the live reader does and prints the trace of routing each
// line, with the settings of settingsFolder applied, until SIGINT or SIGTERM.
int runFollowCommand(const std::filesystem::path& log, FollowStart start, TextEncoding encoding,
                     const std::optional<std::filesystem::path>& settingsFolder, std::ostream& out,
                     std::ostream& err);

// Exit codes of search, as grep has them.
inline constexpr int kSearchMatched = 0;
inline constexpr int kSearchNoMatch = 1;
inline constexpr int kSearchError = 2;

struct SearchCommand {
    std::filesystem::path folder;
    SearchQuery query;  // NG lists and switches come from settingsFolder
    std::optional<std::filesystem::path> settingsFolder;
    TextEncoding encoding = TextEncoding::Utf8;
};

// Searches every daily log of the folder and prints one result a line, newest
// day first; skipped days are reported on err.
int runSearchCommand(const SearchCommand& command, std::ostream& out, std::ostream& err);

struct RulesCommand {
    std::filesystem::path rules;
    std::filesystem::path log;
    std::optional<std::filesystem::path> settingsFolder;
    TextEncoding encoding = TextEncoding::Utf8;
};

// Runs the rules over the log from its start, routed as follow --from-start
// routes it, and prints STAMP<TAB>CHANNEL<TAB>RULE<TAB>FIRED<TAB>TEXT for each
// hit. Exit status as search's: 0 with a hit, 1 without, 2 on an error.
int runRulesCommand(const RulesCommand& command, std::ostream& out, std::ostream& err);

}  // namespace ruv::cli
