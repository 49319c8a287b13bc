#include "cli/arguments.h"

#ifdef _WIN32
#include <windows.h>
// Included after windows.h, which it needs.
#include <shellapi.h>
#endif

namespace ruv::cli {

#ifdef _WIN32

namespace {

std::string utf8Of(const wchar_t* wide) {
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    if (bytes <= 1) {
        return {};
    }
    std::string text(static_cast<std::size_t>(bytes - 1), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide, -1, text.data(), bytes, nullptr, nullptr);
    return text;
}

}  // namespace

std::vector<std::string> commandLineWords(int argc, char** argv) {
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (wide == nullptr) {
        return std::vector<std::string>(argv, argv + argc);
    }
    std::vector<std::string> words;
    for (int i = 0; i < count; ++i) {
        words.push_back(utf8Of(wide[i]));
    }
    LocalFree(wide);
    return words;
}

std::filesystem::path pathFromWord(const std::string& word) {
    return std::filesystem::path(std::u8string(word.begin(), word.end()));
}

#else

std::vector<std::string> commandLineWords(int argc, char** argv) {
    return std::vector<std::string>(argv, argv + argc);
}

std::filesystem::path pathFromWord(const std::string& word) {
    return std::filesystem::path(word);
}

#endif

}  // namespace ruv::cli
