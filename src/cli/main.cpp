// mh_ruvivuvaz-cli: sorts a day's chat as the program does, follows a log, or
// searches every daily log of a folder.

#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>

#include <vector>

#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/file_report.h"
#include "core/lines/chat_format.h"
#include "core/platform/standard_output.h"
#include "core/search/search_channel_name.h"
#include "core/text/cp932.h"

namespace {

constexpr std::string_view kUsage =
    "usage: mh_ruvivuvaz-cli sort LOG [--encoding utf-8|cp932]\n"
    "       mh_ruvivuvaz-cli follow LOG [--from-start] [--settings DIR] [--encoding utf-8|cp932]\n"
    "       mh_ruvivuvaz-cli search TEXT FOLDER [--channel NAME]... [--speaker NAME]\n"
    "                        [--from DAY] [--to DAY] [--settings DIR] [--include-ng]\n"
    "                        [--encoding utf-8|cp932]\n"
    "       mh_ruvivuvaz-cli rules RULES LOG [--settings DIR] [--encoding utf-8|cp932]\n"
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
    "  search  searches every MHChatLog_yyyy_mm_dd.html of FOLDER for TEXT in the\n"
    "          text the views show and prints, newest day first,\n"
    "            DAY<TAB>TIME<TAB>CHANNEL<TAB>TEXT\n"
    "          exit status 0 when something matched, 1 when nothing did, 2 on an error\n"
    "          (a daily log that cannot be read included, after every result, and\n"
    "          --from after --to or a FOLDER without a daily log); why nothing\n"
    "          matched, when the query or the folder says, goes to stderr\n"
    "    --channel  Open, Team, Club, Whis, Shout, Battle or System, or the tab's\n"
    "               name (一般, チーム, クラブ, 耳打ち, 叫び, 戦闘情報, システム);\n"
    "               repeat it or give several separated by commas (default: all)\n"
    "    --speaker  only lines of this speaker\n"
    "    --from, --to  the first and last day searched, yyyy-mm-dd (default: all)\n"
    "    --include-ng  include the lines the NG lists hold back\n"
    "  rules   runs the notification rules of the file RULES over LOG from its\n"
    "          start, routed as follow --from-start routes it, and prints each hit as\n"
    "            STAMP<TAB>CHANNEL<TAB>RULE<TAB>FIRED<TAB>TEXT\n"
    "          (FIRED: 1 when the rule's actions ran, 0 when its cooldown held them)\n"
    "          exit status 0 when a rule matched, 1 when none did, 2 on an error\n"
    "  --settings  apply config.ini, nguserlist.txt and ngwordlist.txt of DIR as\n"
    "              the program does at start-up (default: first-run settings)\n"
    "  --encoding  the encoding of the printed text (default utf-8; cp932 prints\n"
    "              the log's own bytes)\n";

int usageError(std::string_view message) {
    std::cerr << ruv::cli::kMessagePrefix << message << "\n" << kUsage;
    return 2;
}

// Text given on the command line, in the log's encoding.
std::optional<std::string> logText(std::string_view arg, ruv::cli::TextEncoding encoding) {
    if (encoding == ruv::cli::TextEncoding::Cp932) {
        return std::string(arg);
    }
    return ruv::cp932::fromUtf8(arg);
}

struct SearchOptions {
    std::vector<std::string> channels;
    std::optional<std::string> speaker;
    std::optional<std::string> from;
    std::optional<std::string> to;
    bool includeNg = false;
    bool given = false;
};

int runSearch(const std::vector<std::string>& operands, const SearchOptions& options,
              ruv::cli::TextEncoding encoding,
              const std::optional<std::filesystem::path>& settings) {
    if (operands.size() != 2) {
        return usageError("search needs TEXT and FOLDER");
    }
    ruv::cli::SearchCommand command;
    command.encoding = encoding;
    command.folder = ruv::cli::pathFromWord(operands[1]);
    command.settingsFolder = settings;
    if (operands[0].empty()) {
        return usageError("TEXT is empty");
    }
    const auto text = logText(operands[0], encoding);
    if (!text) {
        return usageError("TEXT must be a text the log's encoding can hold");
    }
    command.query.text = *text;
    if (options.speaker) {
        command.query.speaker = logText(*options.speaker, encoding);
        if (!command.query.speaker) {
            return usageError("--speaker must be a name the log's encoding can hold");
        }
    }
    if (!options.channels.empty()) {
        command.query.channels = ruv::SearchChannels::none();
        for (const std::string& list : options.channels) {
            std::string_view rest = list;
            while (true) {
                const std::size_t comma = rest.find(',');
                const std::string_view name = rest.substr(0, comma);
                const auto channel = ruv::searchChannelNamed(name);
                if (!channel) {
                    return usageError("unknown channel: " + std::string(name) +
                                      "; the channels are " + ruv::searchChannelNameList());
                }
                command.query.channels.tick(*channel, true);
                if (comma == std::string_view::npos) {
                    break;
                }
                rest.remove_prefix(comma + 1);
            }
        }
    }
    for (const auto& [given, day] : {std::pair{&options.from, &command.query.from},
                                     std::pair{&options.to, &command.query.to}}) {
        if (*given) {
            *day = ruv::parseLogDay(**given);
            if (!*day) {
                return usageError("a day is written yyyy-mm-dd: " + **given);
            }
        }
    }
    command.query.ng.lines = options.includeNg ? ruv::NgLines::Included : ruv::NgLines::LeftOut;
    ruv::platform::useBinaryStandardOutput();
    return ruv::cli::runSearchCommand(command, std::cout, std::cerr);
}

}  // namespace

int main(int argc, char** rawArgv) {
    using ruv::cli::FollowStart;
    const std::vector<std::string> words = ruv::cli::commandLineWords(argc, rawArgv);
    argc = static_cast<int>(words.size());
    std::vector<const char*> wordPointers;
    for (const std::string& word : words) {
        wordPointers.push_back(word.c_str());
    }
    const char* const* argv = wordPointers.data();
    using ruv::cli::TextEncoding;

    std::vector<std::string> positional;
    TextEncoding encoding = TextEncoding::Utf8;
    FollowStart start = FollowStart::AtEnd;
    bool fromStartGiven = false;
    std::optional<std::filesystem::path> settings;
    SearchOptions search;

    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::cout << kUsage;
            return 0;
        }
        const bool takesValue = arg == "--encoding" || arg == "--settings" || arg == "--channel" ||
                                arg == "--speaker" || arg == "--from" || arg == "--to";
        if (takesValue && i + 1 >= argc) {
            return usageError(std::string(arg) + " needs a value");
        }
        if (arg == "--encoding") {
            const std::string_view value = argv[++i];
            if (value == "utf-8" || value == "utf8") {
                encoding = TextEncoding::Utf8;
            } else if (value == "cp932") {
                encoding = TextEncoding::Cp932;
            } else {
                return usageError("unknown encoding: " + std::string(value));
            }
        } else if (arg == "--settings") {
            settings = ruv::cli::pathFromWord(argv[++i]);
        } else if (arg == "--from-start") {
            start = FollowStart::FromStart;
            fromStartGiven = true;
        } else if (arg == "--channel") {
            search.channels.emplace_back(argv[++i]);
            search.given = true;
        } else if (arg == "--speaker") {
            search.speaker = argv[++i];
            search.given = true;
        } else if (arg == "--from") {
            search.from = argv[++i];
            search.given = true;
        } else if (arg == "--to") {
            search.to = argv[++i];
            search.given = true;
        } else if (arg == "--include-ng") {
            search.includeNg = true;
            search.given = true;
        } else if (arg.starts_with("-") && arg != "-") {
            return usageError("unknown option: " + std::string(arg));
        } else {
            positional.emplace_back(arg);
        }
    }
    if (positional.empty()) {
        return usageError("no command given");
    }
    const std::string command = positional.front();
    positional.erase(positional.begin());
    if (command == "search") {
        if (fromStartGiven) {
            return usageError("--from-start is for follow");
        }
        return runSearch(positional, search, encoding, settings);
    }
    if (command == "rules") {
        if (fromStartGiven || search.given) {
            return usageError("rules takes only --settings and --encoding");
        }
        if (positional.size() != 2) {
            return usageError("rules needs RULES and LOG");
        }
        ruv::platform::useBinaryStandardOutput();
        return ruv::cli::runRulesCommand(
            ruv::cli::RulesCommand{ruv::cli::pathFromWord(positional[0]),
                                   ruv::cli::pathFromWord(positional[1]), settings, encoding},
            std::cout, std::cerr);
    }
    if (command != "sort" && command != "follow") {
        return usageError("unknown command: " + command);
    }
    if (search.given) {
        return usageError("--channel, --speaker, --from, --to and --include-ng are for search");
    }
    if (positional.empty()) {
        return usageError("no LOG given");
    }
    if (positional.size() > 1) {
        return usageError("too many arguments");
    }
    const std::string& log = positional.front();
    ruv::platform::useBinaryStandardOutput();
    if (command == "sort") {
        if (fromStartGiven || settings) {
            return usageError("--from-start and --settings are for follow");
        }
        return ruv::cli::runSortCommand(ruv::cli::pathFromWord(log), encoding, std::cout,
                                        std::cerr);
    }
    return ruv::cli::runFollowCommand(ruv::cli::pathFromWord(log), start, encoding, settings,
                                      std::cout, std::cerr);
}
