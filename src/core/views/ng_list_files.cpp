#include "core/views/ng_list_files.h"

#include "core/config/list_file.h"
#include "core/config/settings_files.h"

namespace ruv {

void LoadNgLists(const std::filesystem::path& folder, NgLists& lists) {
    config::loadList(folder / config::kNgUserListFileName, lists.users);
    config::loadList(folder / config::kNgWordListFileName, lists.words);
}

void SaveNgLists(const std::filesystem::path& folder, const NgLists& lists) {
    config::saveList(folder / config::kNgUserListFileName, lists.users);
    config::saveList(folder / config::kNgWordListFileName, lists.words);
}

}  // namespace ruv
