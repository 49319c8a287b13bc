// mh_ruvivuvaz-loggen OUT --bytes N [--seed S] [--date yyyy-mm-dd]
// Writes a realistic chat log of at least N bytes to OUT.

#include <charconv>
#include <cstdint>
#include <fstream>
#include <iostream>
#include <string>
#include <string_view>

#include "loggen/log_generator.h"

namespace {

constexpr std::string_view kUsage =
    "usage: mh_ruvivuvaz-loggen OUT --bytes N [--seed S] [--date yyyy-mm-dd]\n";

bool parseUnsigned(std::string_view text, std::uint64_t& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc{} && end == text.data() + text.size();
}

}  // namespace

int main(int argc, char** argv) {
    std::string out;
    std::uint64_t bytes = 0;
    bool haveBytes = false;
    std::uint64_t seed = 1;
    ruv::loggen::LogDate date;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--help" || arg == "-h") {
            std::cout << kUsage;
            return 0;
        }
        if (arg == "--bytes" && hasValue) {
            haveBytes = parseUnsigned(argv[++i], bytes);
            if (!haveBytes) {
                std::cerr << "--bytes needs a whole number\n";
                return 2;
            }
        } else if (arg == "--seed" && hasValue) {
            if (!parseUnsigned(argv[++i], seed)) {
                std::cerr << "--seed needs a whole number\n";
                return 2;
            }
        } else if (arg == "--date" && hasValue) {
            const auto parsed = ruv::loggen::parseLogDate(argv[++i]);
            if (!parsed) {
                std::cerr << "--date needs yyyy-mm-dd\n";
                return 2;
            }
            date = *parsed;
        } else if (out.empty() && !arg.starts_with("--")) {
            out = arg;
        } else {
            std::cerr << "unknown argument: " << arg << "\n" << kUsage;
            return 2;
        }
    }
    if (out.empty() || !haveBytes) {
        std::cerr << kUsage;
        return 2;
    }
    ruv::loggen::LogGenerator generator(seed, date);
    const std::string log = generator.generate(static_cast<std::size_t>(bytes));
    std::ofstream file(out, std::ios::binary | std::ios::trunc);
    file.write(log.data(), static_cast<std::streamsize>(log.size()));
    file.close();
    if (!file) {
        std::cerr << "cannot write " << out << "\n";
        return 1;
    }
    const auto& totals = generator.totals();
    std::cout << "bytes " << log.size() << " lines " << totals.lines << " gains "
              << totals.gainCount << " gain-sum " << totals.gainSum << " level-ups "
              << totals.levelUps << "\n";
    return 0;
}
