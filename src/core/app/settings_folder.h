#pragma once
// The routing settings and NG lists of a settings folder, for the command line.

#include <filesystem>

#include "core/log/route_settings.h"
#include "core/views/ng_lists.h"

namespace ruv {

// Read as start-up reads them: config.ini rows by key, nguserlist.txt and
// ngwordlist.txt; what the folder lacks keeps its value. Throws config errors
// for a settings file that can't be read or applied.
void loadSettingsFolder(const std::filesystem::path& folder, RouteSettings& route, NgLists& lists);

}  // namespace ruv
