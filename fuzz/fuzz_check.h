#pragma once
// What every fuzz target shares: a check that stops the run with a message
// libFuzzer records as a crash, and a scratch folder for real files.

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#define FUZZ_CHECK(condition)                                  \
    do {                                                       \
        if (!(condition)) {                                    \
            ::ruv::fuzz::fail(#condition, __FILE__, __LINE__); \
        }                                                      \
    } while (false)

namespace ruv::fuzz {

[[noreturn]] inline void fail(const char* what, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: check failed: %s\n", file, line, what);
    std::abort();
}

// One folder per process under the system's temporary folder, removed at exit.
class ScratchFolder {
  public:
    ScratchFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "ruvfuzz-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            fail("mkdtemp", __FILE__, __LINE__);
        }
        path_ = pattern;
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

inline const std::filesystem::path& scratch() {
    static const ScratchFolder folder;
    return folder.path();
}

// Files written and read directly, without the code under test.
inline void writeBytes(const std::filesystem::path& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    FUZZ_CHECK(out.good());
}

inline std::string readBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace ruv::fuzz
