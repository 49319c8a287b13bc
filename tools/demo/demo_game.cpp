// mh_ruvivuvaz-demo-game FOLDER [--rate LINES_PER_SECOND] [--seconds S] [--seed N]
// Plays the game for the demo: writes today's chat log in FOLDER as the game
// does, first the header and an evening's earlier chat, then new lines in real
// time, with an occasional burst, until stopped (or for S seconds).

#include <charconv>
#include <chrono>
#include <csignal>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <random>
#include <string>
#include <string_view>
#include <thread>

#include "core/lines/chat_format.h"
#include "loggen/log_generator.h"

namespace {

volatile std::sig_atomic_t stopRequested = 0;

extern "C" void requestStop(int) {
    stopRequested = 1;
}

bool parseNumber(std::string_view text, std::uint64_t& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc{} && end == text.data() + text.size();
}

ruv::loggen::LogDate today() {
    const std::time_t now = std::time(nullptr);
    const std::tm local = *std::localtime(&now);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

void write(std::ofstream& out, const std::string& bytes) {
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
}

}  // namespace

int main(int argc, char** argv) {
    std::filesystem::path folder;
    std::uint64_t rate = 4;
    std::uint64_t seconds = 0;
    std::uint64_t seed = static_cast<std::uint64_t>(std::time(nullptr));
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if ((arg == "--rate" && hasValue && parseNumber(argv[i + 1], rate)) ||
            (arg == "--seconds" && hasValue && parseNumber(argv[i + 1], seconds)) ||
            (arg == "--seed" && hasValue && parseNumber(argv[i + 1], seed))) {
            ++i;
        } else if (folder.empty() && !arg.starts_with("--")) {
            folder = arg;
        } else {
            std::cerr << "usage: mh_ruvivuvaz-demo-game FOLDER [--rate N] [--seconds S] "
                         "[--seed N]\n";
            return 2;
        }
    }
    if (folder.empty() || rate == 0) {
        std::cerr << "usage: mh_ruvivuvaz-demo-game FOLDER [--rate N] [--seconds S]\n";
        return 2;
    }
    std::filesystem::create_directories(folder);
    const ruv::loggen::LogDate date = today();
    const std::filesystem::path log = folder / ruv::dailyLogName(date.year, date.month, date.day);

    ruv::loggen::LogGenerator generator(seed, date);
    const bool fresh = !std::filesystem::exists(log);
    std::ofstream out(log, std::ios::binary | std::ios::app);
    if (!out) {
        std::cerr << "cannot write " << log.string() << "\n";
        return 1;
    }
    if (fresh) {
        // The header and the evening so far: what tidying sorts on attach.
        write(out, generator.generate(40'000));
    }
    std::cout << "writing " << log.string() << "\n" << std::flush;

    std::signal(SIGINT, requestStop);
    std::signal(SIGTERM, requestStop);
    std::mt19937_64 random(seed);
    const auto start = std::chrono::steady_clock::now();
    const auto pause = std::chrono::milliseconds(1000 / static_cast<std::int64_t>(rate));
    while (stopRequested == 0) {
        if (seconds != 0 &&
            std::chrono::steady_clock::now() - start >= std::chrono::seconds(seconds)) {
            break;
        }
        // Now and then a crowd: a burst of lines in one write.
        const int lines = random() % 40 == 0 ? 30 : 1;
        std::string chunk;
        for (int n = 0; n < lines; ++n) {
            chunk += generator.nextLine().bytes + "\n";
        }
        write(out, chunk);
        std::this_thread::sleep_for(pause);
    }
    return 0;
}
