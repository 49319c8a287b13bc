#pragma once
// Reads one daily log in bounded blocks and hands on whole lines only: the
// piece of a line that a block cuts is carried into the next block, so the
// memory held is two blocks whatever the size of the file.

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string_view>
#include <system_error>
#include <vector>

#include "core/text/units.h"

namespace ruv {

namespace platform {
class FileOpener;
}

inline constexpr std::size_t kSearchBlockBytes = 512u << 10;

enum class DayFileEnd { Read, CannotRead, NotAChatLog, Cancelled };

struct DayFileOutcome {
    DayFileEnd end = DayFileEnd::Read;
    std::error_code error;  // why a file could not be read
};

class DayFileReader {
  public:
    explicit DayFileReader(const platform::FileOpener& files,
                           std::size_t blockBytes = kSearchBlockBytes);

    // Calls lines() with runs of whole lines, line feeds included but for the
    // last line of the file, in file order, each with where it starts in the
    // file. A line longer than a block is
    // handed on in block-sized pieces. cancelled() is asked before every
    // block. A file whose first line is neither the log's header nor a chat
    // line is not a chat log and is not handed on at all.
    DayFileOutcome read(const std::filesystem::path& path,
                        const std::function<void(std::string_view, ByteOffset)>& lines,
                        const std::function<bool()>& cancelled);

  private:
    const platform::FileOpener& files_;
    std::size_t blockBytes_;
    std::vector<char> buffer_;
};

}  // namespace ruv
