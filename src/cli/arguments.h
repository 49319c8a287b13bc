#pragma once
// The command line as UTF-8 words, and paths made from them. Windows hands a
// program its arguments in the ANSI code page, which cannot hold every name or
// text, so there they are read from the wide command line instead.

#include <filesystem>
#include <string>
#include <vector>

namespace ruv::cli {

std::vector<std::string> commandLineWords(int argc, char** argv);
std::filesystem::path pathFromWord(const std::string& word);

}  // namespace ruv::cli
