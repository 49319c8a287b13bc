#include "core/config/settings_save.h"

#include <exception>
#include <system_error>

#include "core/config/config_error.h"

namespace ruv::config {
namespace {

// "次のファイルを保存できませんでした。"
constexpr std::string_view kNotSavedHeading =
    "\x8e\x9f\x82\xcc\x83\x74\x83\x40\x83\x43\x83\x8b\x82\xf0\x95\xdb\x91\xb6\x82\xc5\x82\xab\x82"
    "\xdc\x82\xb9\x82\xf1\x82\xc5\x82\xb5\x82\xbd\x81\x42";
// "："
constexpr std::string_view kReasonSeparator = "\x81\x46";
// "同じ名前のフォルダーがあります"
constexpr std::string_view kFolderInTheWay =
    "\x93\xaf\x82\xb6\x96\xbc\x91\x4f\x82\xcc\x83\x74\x83\x48\x83\x8b\x83\x5f\x81\x5b\x82\xaa\x82"
    "\xa0\x82\xe8\x82\xdc\x82\xb7";
// "書き込みが許可されていません"
constexpr std::string_view kNotPermitted =
    "\x8f\x91\x82\xab\x8d\x9e\x82\xdd\x82\xaa\x8b\x96\x89\xc2\x82\xb3\x82\xea\x82\xc4\x82\xa2\x82"
    "\xdc\x82\xb9\x82\xf1";
// "ディスクの空きが足りません"
constexpr std::string_view kDiskFull =
    "\x83\x66\x83\x42\x83\x58\x83\x4e\x82\xcc\x8b\xf3\x82\xab\x82\xaa\x91\xab\x82\xe8\x82\xdc\x82"
    "\xb9\x82\xf1";
// "改行を含む行があるため保存できません"
constexpr std::string_view kLineBreakInEntry =
    "\x89\xfc\x8d\x73\x82\xf0\x8a\xdc\x82\xde\x8d\x73\x82\xaa\x82\xa0\x82\xe9\x82\xbd\x82\xdf\x95"
    "\xdb\x91\xb6\x82\xc5\x82\xab\x82\xdc\x82\xb9\x82\xf1";

std::string causeText(std::error_code cause) {
    if (cause == std::errc::is_a_directory) {
        return std::string(kFolderInTheWay);
    }
    if (cause == std::errc::permission_denied || cause == std::errc::operation_not_permitted ||
        cause == std::errc::read_only_file_system) {
        return std::string(kNotPermitted);
    }
    if (cause == std::errc::no_space_on_device) {
        return std::string(kDiskFull);
    }
    return cause.message();
}

std::string reasonOf(const std::exception_ptr& failure) {
    try {
        std::rethrow_exception(failure);
    } catch (const FileError& error) {
        return causeText(error.cause());
    } catch (const UnsavableText&) {
        return std::string(kLineBreakInEntry);
    } catch (const std::exception& error) {
        return error.what();
    }
}

}  // namespace

std::vector<UnsavedFile> saveEachFile(std::span<const FileToSave> files) {
    std::vector<UnsavedFile> unsaved;
    for (const FileToSave& file : files) {
        try {
            file.write();
        } catch (const std::exception&) {
            unsaved.push_back({std::string(file.fileName), reasonOf(std::current_exception())});
        }
    }
    return unsaved;
}

std::string unsavedFilesMessage(const std::vector<UnsavedFile>& unsaved) {
    std::string text(kNotSavedHeading);
    text += "\r\n";
    for (const UnsavedFile& file : unsaved) {
        text += "\r\n";
        text += file.fileName;
        text += kReasonSeparator;
        text += file.reason;
    }
    return text;
}

}  // namespace ruv::config
