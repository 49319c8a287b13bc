#include "core/app/settings_folder.h"

#include <stdexcept>
#include <vector>

#include "core/app/session_state.h"
#include "core/app/settings_apply.h"
#include "core/config/config_store.h"
#include "core/config/settings_files.h"
#include "core/views/ng_list_files.h"

namespace ruv {

void loadSettingsFolder(const std::filesystem::path& folder, RouteSettings& route, NgLists& lists) {
    config::ConfigStore store;
    if (store.load(folder / config::kConfigFileName) == config::FileLoad::Loaded) {
        SessionState settings;
        const std::vector<config::StartupIssue> issues = config::applyConfigRows(store, settings);
        if (!issues.empty()) {
            throw std::runtime_error(issues.front().detail);
        }
        route = settings.route;
    }
    LoadNgLists(folder, lists);
}

}  // namespace ruv
