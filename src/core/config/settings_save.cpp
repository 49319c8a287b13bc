#include "core/config/settings_save.h"

#include <exception>
#include <system_error>

#include "core/config/config_error.h"
#include "core/config/settings_save_texts.h"

namespace ruv::config {
namespace {

using namespace save_texts;

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
