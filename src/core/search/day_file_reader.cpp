#include "core/search/day_file_reader.h"

#include <cstring>
#include <span>

#include "core/lines/chat_format.h"
#include "core/platform/shared_file.h"

namespace ruv {
namespace {

bool startsAsChatLog(std::string_view bytes) {
    const std::string_view firstLine = bytes.substr(0, bytes.find('\n'));
    return firstLine.starts_with(markers::kHeaderBody) ||
           firstLine.find(markers::kLine) != std::string_view::npos;
}

std::error_code openError(const std::filesystem::path& path) {
    std::error_code status;
    if (!std::filesystem::exists(path, status)) {
        return std::make_error_code(std::errc::no_such_file_or_directory);
    }
    if (std::filesystem::is_directory(path, status)) {
        return std::make_error_code(std::errc::is_a_directory);
    }
    return std::make_error_code(std::errc::permission_denied);
}

}  // namespace

DayFileReader::DayFileReader(const platform::FileOpener& files, std::size_t blockBytes)
    : files_(files), blockBytes_(blockBytes) {}

DayFileOutcome DayFileReader::read(const std::filesystem::path& path,
                                   const std::function<void(std::string_view, ByteOffset)>& lines,
                                   const std::function<bool()>& cancelled) {
    const auto file = files_.openShared(path);
    if (!file) {
        return {DayFileEnd::CannotRead, openError(path)};
    }
    // The carried piece of a line is always shorter than a block.
    buffer_.resize(2 * blockBytes_);
    std::size_t carried = 0;
    ByteOffset blockStart;
    bool first = true;
    for (;;) {
        if (cancelled()) {
            return {DayFileEnd::Cancelled, {}};
        }
        const auto got =
            platform::readFully(*file, std::span<char>(buffer_.data() + carried, blockBytes_));
        if (!got) {
            return {DayFileEnd::CannotRead, std::make_error_code(std::errc::io_error)};
        }
        const std::string_view block(buffer_.data(), carried + *got);
        if (first && !block.empty() && !startsAsChatLog(block)) {
            return {DayFileEnd::NotAChatLog, {}};
        }
        first = false;
        const bool atEnd = *got < blockBytes_;
        std::size_t whole = block.size();
        if (!atEnd) {
            const std::size_t lastFeed = block.rfind('\n');
            whole = lastFeed == std::string_view::npos ? block.size() : lastFeed + 1;
        }
        if (whole > 0) {
            lines(block.substr(0, whole), blockStart);
            blockStart = blockStart + ByteOffset{static_cast<std::int64_t>(whole)};
        }
        carried = block.size() - whole;
        std::memmove(buffer_.data(), buffer_.data() + whole, carried);
        if (atEnd) {
            return {DayFileEnd::Read, {}};
        }
    }
}

}  // namespace ruv
