// ruvivuvaz-fuzz-seeds OUT: writes a small seed corpus for every fuzz target
// into OUT/<target>/, made from generated chat logs, so no binary seeds are
// kept in the repository.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "core/config/config_store.h"
#include "core/config/list_file.h"
#include "core/text/cp932.h"
#include "loggen/log_generator.h"

namespace {

namespace fs = std::filesystem;
using namespace ruv;

void write(const fs::path& folder, const std::string& name, const std::string& bytes) {
    fs::create_directories(folder);
    std::ofstream out(folder / name, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// A string as FuzzedDataProvider::ConsumeRandomLengthString reads it back:
// backslashes doubled, ended by a backslash and another byte.
std::string providerString(std::string_view text) {
    std::string out;
    for (const char c : text) {
        out.push_back(c);
        if (c == '\\') {
            out.push_back('\\');
        }
    }
    return out + "\\\n";
}

std::string withCrLf(std::string_view log) {
    std::string out;
    for (const char c : log) {
        if (c == '\n') {
            out.push_back('\r');
        }
        out.push_back(c);
    }
    return out;
}

std::string speakerOf(const std::string& line) {
    return ChatLine::fromLogLine(line).speaker;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: ruvivuvaz-fuzz-seeds OUT\n";
        return 2;
    }
    const fs::path out = argv[1];
    for (std::uint64_t seed = 1; seed <= 4; ++seed) {
        loggen::LogGenerator generator(seed, loggen::LogDate{2024, 5, static_cast<int>(seed)});
        std::vector<loggen::GeneratedLine> lines;
        const std::string log = generator.generate(1500 * seed, lines);
        const std::string name = "seed-" + std::to_string(seed);
        std::vector<std::string> speakers;
        for (const auto& line : lines) {
            if (std::string speaker = speakerOf(line.bytes); !speaker.empty()) {
                speakers.push_back(std::move(speaker));
            }
        }
        const std::string someone = speakers.empty() ? std::string("A") : speakers.front();

        write(out / "log_reader", name, seed % 2 == 0 ? withCrLf(log) : log);
        write(out / "past_log_sort", name, log + std::string(5, static_cast<char>(seed * 7)));
        write(out / "cp932", name, log);

        // Keyword and NG strings first, then the lines; the switches are read
        // from the end (all on here).
        std::string routed = providerString(someone) + providerString(someone);
        for (const auto& line : lines) {
            routed += providerString(line.bytes);
        }
        write(out / "route_line", name, routed + std::string(48, '\xff'));

        // A rules file a player would write, then the lines it is matched against.
        std::string rules = providerString(
            "{\"rules\": [\n"
            "  {\"name\": \"call\", \"pattern\": \"" +
            cp932::toUtf8(someone) +
            "\", \"sound\": \"a.wav\"},\n"
            "  {\"name\": \"party\", \"pattern\": \"(PT|\\\\d+)\", \"regex\": true,\n"
            "   \"channels\": [\"\xe4\xb8\x80\xe8\x88\xac\"], \"colour\": \"#203040\",\n"
            "   \"speak\": \"{speaker}: {text}\", \"cooldownSeconds\": 30, \"ignoreCase\": false}\n"
            "]}");
        for (const auto& line : lines) {
            rules += providerString(line.bytes) + "\x01";
        }
        write(out / "rules", name, rules);

        std::string find = providerString(someone) + log.substr(0, 2000);
        write(out / "find_in_text", name, find + std::string(24, '\x10'));

        config::TextLines voices;
        config::TextLines ngUsers;
        for (std::size_t i = 0; i < speakers.size() && i < 12; ++i) {
            voices.push_back(speakers[i] + "=" + std::to_string(i % 3) + ",100," +
                             std::to_string(80 + i) + ",100");
            ngUsers.push_back(speakers[i]);
        }
        voices.push_back("broken line");
        write(out / "voice_list", name, providerString(config::joinLines(voices)));
        write(out / "list_files", name,
              providerString(config::joinLines(ngUsers)) + "\xe8\xb3\xaa\r\n&nbsp\n\r");
    }

    // config.ini as the first run writes it, and as a hand edit with lone line
    // feeds, a missing last line break and rows added past the 60.
    config::ConfigStore store = config::firstRunConfigStore();
    const fs::path temp = out / "config.ini.tmp";
    store.save(temp);
    std::ifstream in(temp, std::ios::binary);
    const std::string canonical{std::istreambuf_iterator<char>(in),
                                std::istreambuf_iterator<char>()};
    in.close();
    fs::remove(temp);
    write(out / "config_store", "first-run", providerString(canonical) + "\x01\x02\x03\x04");
    std::string edited;
    for (const std::string& line : config::splitLines(canonical)) {
        edited += line + "\n";
    }
    edited += "Extra=1\nno separator\n==\nMHFolderPath=C:\\game\\\n";
    edited.pop_back();
    write(out / "config_store", "hand-edited", providerString(edited) + "\x07\x00\x05");
    return 0;
}
