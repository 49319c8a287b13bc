#include "cli/file_report.h"

#include <ostream>
#include <string>

namespace ruv::cli {

void reportFile(std::ostream& err, const std::filesystem::path& file, std::string_view reason) {
    const std::u8string path = file.u8string();
    err << kMessagePrefix
        << std::string_view(reinterpret_cast<const char*>(path.data()), path.size()) << ": "
        << reason << '\n';
    err.flush();
}

}  // namespace ruv::cli
