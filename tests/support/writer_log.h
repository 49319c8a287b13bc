#pragma once
// The log a writer process writes and the lines a reader must deliver for it,
// shared by the tests that run the writer as a separate process.

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "core/lines/chat_format.h"
#include "loggen/log_generator.h"
#include "support/temp_folder.h"

namespace ruv::testing {

namespace fs = std::filesystem;

using TempDir = ruv::testing::TempFolder;

inline void append(const fs::path& path, std::string_view bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::app);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// The raw lines the reader must deliver for the writer's log.
inline std::vector<std::string> expectedLines(std::uint64_t seed, std::size_t bytes) {
    ruv::loggen::LogGenerator generator(seed);
    const std::string log = generator.generate(bytes);
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t feed = log.find('\n'); feed != std::string::npos;
         feed = log.find('\n', start)) {
        lines.push_back(ruv::removeEntities(std::string_view(log).substr(start, feed - start)));
        start = feed + 1;
    }
    return lines;
}

}  // namespace ruv::testing
