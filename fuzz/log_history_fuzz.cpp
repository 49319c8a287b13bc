// loghistoryslist.txt as a player may edit it by hand, then attaches: reading
// never fails on content, the list keeps every line as read, each attach puts
// the path first and drops, besides copies of the path, at most one entry
// beyond the fifth, and what is saved reads back the same.

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "core/config/list_file.h"
#include "core/log/log_history.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    static ruv::fuzz::ScratchFolder scratch;
    const std::string bytes = input.ConsumeRandomLengthString(4096);
    const auto file = scratch.path() / "loghistoryslist.txt";
    ruv::fuzz::writeBytes(file, bytes);

    ruv::LogHistoryList list;
    ruv::loadLogHistory(file, list);
    FUZZ_CHECK(list.entries() == ruv::config::splitLines(bytes));

    while (input.remaining_bytes() > 0) {
        const std::string path = input.ConsumeRandomLengthString(64);
        if (path.find_first_of("\r\n") != std::string::npos || path.empty()) {
            continue;
        }
        const auto others = [&path](const ruv::LogHistoryList& history) {
            return history.size() - static_cast<std::size_t>(std::count(
                                        history.entries().begin(), history.entries().end(), path));
        };
        const std::size_t before = list.size();
        const std::size_t othersBefore = others(list);
        list.record(path);
        FUZZ_CHECK(list.at(0) == path);
        // Only copies of the path go, and at most one other entry beyond the fifth.
        FUZZ_CHECK(others(list) + 1 >= othersBefore);
        FUZZ_CHECK(list.size() <= std::max<std::size_t>(before + 1, 5));
    }
    ruv::saveLogHistory(file, list);
    ruv::LogHistoryList reread;
    ruv::loadLogHistory(file, reread);
    FUZZ_CHECK(reread.entries() == list.entries());
    return 0;
}
