#pragma once
// nguserlist.txt and ngwordlist.txt beside the executable.

#include <filesystem>

#include "core/views/ng_lists.h"

namespace ruv {

// Loads each list file that exists into its list; a missing file leaves its
// list as it is (empty at start-up). Throws config::FileError for a file that
// exists but cannot be read; a list loaded before stays loaded.
void LoadNgLists(const std::filesystem::path& folder, NgLists& lists);

// Writes both files whole, each entry followed by CR LF; an empty list gives
// an empty file. Throws config::ConfigError when a file cannot be written.
void SaveNgLists(const std::filesystem::path& folder, const NgLists& lists);

}  // namespace ruv
