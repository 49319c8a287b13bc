#pragma once
// How the command line speaks of the log it was given: every message on err
// as "mh_ruvivuvaz-cli: PATH: REASON".

#include <filesystem>
#include <iosfwd>
#include <string_view>

namespace ruv::cli {

inline constexpr std::string_view kMessagePrefix = "mh_ruvivuvaz-cli: ";
// The warning for a file that holds no chat-log line; the output stays as it is.
inline constexpr std::string_view kNoChatLineText = "holds no chat-log line";

void reportFile(std::ostream& err, const std::filesystem::path& file, std::string_view reason);

}  // namespace ruv::cli
