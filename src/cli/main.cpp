// mh_ruvivuvaz-cli: sorts a day's chat as the program does, or follows a log.

#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>

#include "cli/commands.h"
#include "cli/file_report.h"
#include "core/platform/standard_output.h"

namespace {

constexpr std::string_view kUsage =
    "usage: mh_ruvivuvaz-cli sort LOG [--encoding utf-8|cp932]\n"
    "       mh_ruvivuvaz-cli follow LOG [--from-start] [--settings DIR] [--encoding utf-8|cp932]\n"
    "\n"
    "  sort    prints every line past-log tidying puts in a view as\n"
    "          VIEW<TAB>#rrggbb<TAB>TEXT, then day-gain<TAB>TOTAL<TAB>COUNT\n"
    "  follow  follows LOG from the end of its last complete line (or from byte 0\n"
    "          with --from-start) and prints how each new line is routed, until\n"
    "          interrupted:\n"
    "            VIEW<TAB>#rrggbb<TAB>TEXT  a line appended to a view\n"
    "            gain<TAB>N                 an experience gain\n"
    "            level-up                   a level-up\n"
    "            speak<TAB>0|1<TAB>TEXT     a line handed to speech (1: speaker line)\n"
    "            error<TAB>MESSAGE          a line whose routing failed\n"
    "  --settings  apply config.ini, nguserlist.txt and ngwordlist.txt of DIR as\n"
    "              the program does at start-up (default: first-run settings)\n"
    "  --encoding  the encoding of the printed text (default utf-8; cp932 prints\n"
    "              the log's own bytes)\n";

int usageError(std::string_view message) {
    std::cerr << ruv::cli::kMessagePrefix << message << "\n" << kUsage;
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    using ruv::cli::FollowStart;
    using ruv::cli::TextEncoding;

    std::optional<std::string> command;
    std::optional<std::string> log;
    TextEncoding encoding = TextEncoding::Utf8;
    FollowStart start = FollowStart::AtEnd;
    bool fromStartGiven = false;
    std::optional<std::filesystem::path> settings;

    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::cout << kUsage;
            return 0;
        }
        if (arg == "--encoding") {
            if (i + 1 >= argc) {
                return usageError("--encoding needs utf-8 or cp932");
            }
            const std::string_view value = argv[++i];
            if (value == "utf-8" || value == "utf8") {
                encoding = TextEncoding::Utf8;
            } else if (value == "cp932") {
                encoding = TextEncoding::Cp932;
            } else {
                return usageError("unknown encoding: " + std::string(value));
            }
        } else if (arg == "--settings") {
            if (i + 1 >= argc) {
                return usageError("--settings needs a folder");
            }
            settings = std::filesystem::path(argv[++i]);
        } else if (arg == "--from-start") {
            start = FollowStart::FromStart;
            fromStartGiven = true;
        } else if (arg.starts_with("-") && arg != "-") {
            return usageError("unknown option: " + std::string(arg));
        } else if (!command) {
            command = arg;
        } else if (!log) {
            log = arg;
        } else {
            return usageError("too many arguments");
        }
    }
    if (!command) {
        return usageError("no command given");
    }
    if (*command != "sort" && *command != "follow") {
        return usageError("unknown command: " + *command);
    }
    if (!log) {
        return usageError("no LOG given");
    }
    ruv::platform::useBinaryStandardOutput();
    if (*command == "sort") {
        if (fromStartGiven || settings) {
            return usageError("--from-start and --settings are for follow");
        }
        return ruv::cli::runSortCommand(*log, encoding, std::cout, std::cerr);
    }
    return ruv::cli::runFollowCommand(*log, start, encoding, settings, std::cout, std::cerr);
}
