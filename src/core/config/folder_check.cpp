#include "core/config/folder_check.h"

#include <fstream>
#include <system_error>

namespace ruv::config {

namespace {

inline const FixedText kReadOnlyFolderText{
    "設定フォルダーに書き込めないため、終了時に設定を保存できません。"
    "書き込めるフォルダーに置いて起動してください: "};

constexpr std::string_view kProbeName = "ruvivuvaz_write_check.tmp";

}  // namespace

bool canWriteIn(const std::filesystem::path& folder) {
    const std::filesystem::path probe = folder / kProbeName;
    bool created = false;
    bool written = false;
    {
        std::ofstream out(probe, std::ios::binary | std::ios::trunc);
        created = out.is_open();
        written = created && static_cast<bool>(out << 'x') && static_cast<bool>(out.flush());
    }
    if (created) {
        std::error_code ignored;
        std::filesystem::remove(probe, ignored);
    }
    return written;
}

std::string readOnlyFolderText(std::string_view cp932Folder) {
    return std::string(kReadOnlyFolderText) + std::string(cp932Folder);
}

}  // namespace ruv::config
