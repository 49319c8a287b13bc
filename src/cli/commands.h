#pragma once
// The commands of mh_ruvivuvaz-cli.

#include <filesystem>
#include <iosfwd>
#include <optional>

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

}  // namespace ruv::cli
