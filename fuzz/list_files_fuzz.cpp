// The list files (nguserlist.txt, ngwordlist.txt and the others kept as line
// files) as a player may edit them by hand: loading takes every line, saving
// writes each followed by CR LF, and a saved list loads back as the same
// entries and saves again byte for byte.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>

#include "core/config/config_error.h"
#include "core/config/list_file.h"
#include "core/config/settings_files.h"
#include "core/views/ng_list_files.h"
#include "fuzz_check.h"

namespace {

using namespace ruv;

// The lines a plain reading of the rule gives: CR LF, LF and CR each end a
// line; a last line without a break is a line too.
config::TextLines referenceLines(std::string_view bytes) {
    config::TextLines lines;
    std::string line;
    bool open = false;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(line);
            line.clear();
            open = false;
            if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
                ++i;
            }
        } else {
            line.push_back(c);
            open = true;
        }
    }
    if (open) {
        lines.push_back(line);
    }
    return lines;
}

std::string joinedWithCrLf(const config::TextLines& lines) {
    std::string bytes;
    for (const std::string& line : lines) {
        bytes += line + "\r\n";
    }
    return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const std::string users = input.ConsumeRandomLengthString(2048);
    const std::string words = input.ConsumeRemainingBytesAsString();
    const std::filesystem::path& folder = fuzz::scratch();
    fuzz::writeBytes(folder / config::kNgUserListFileName, users);
    fuzz::writeBytes(folder / config::kNgWordListFileName, words);

    NgLists lists;
    LoadNgLists(folder, lists);
    FUZZ_CHECK(lists.users == referenceLines(users));
    FUZZ_CHECK(lists.words == referenceLines(words));

    SaveNgLists(folder, lists);
    const std::string savedUsers = fuzz::readBytes(folder / config::kNgUserListFileName);
    FUZZ_CHECK(savedUsers == joinedWithCrLf(lists.users));
    FUZZ_CHECK(fuzz::readBytes(folder / config::kNgWordListFileName) ==
               joinedWithCrLf(lists.words));

    NgLists reloaded;
    LoadNgLists(folder, reloaded);
    FUZZ_CHECK(reloaded.users == lists.users && reloaded.words == lists.words);
    SaveNgLists(folder, reloaded);
    FUZZ_CHECK(fuzz::readBytes(folder / config::kNgUserListFileName) == savedUsers);

    // An entry with a line break is refused, and the file on disk stays whole.
    config::TextLines broken = lists.users;
    broken.push_back("a\nb");
    try {
        config::saveList(folder / config::kNgUserListFileName, broken);
        fuzz::fail("a line break in an entry was saved", __FILE__, __LINE__);
    } catch (const config::UnsavableText&) {
    }
    FUZZ_CHECK(fuzz::readBytes(folder / config::kNgUserListFileName) == savedUsers);
    return 0;
}
