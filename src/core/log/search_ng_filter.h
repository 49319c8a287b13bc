#pragma once
// The NG lists a search applies, from the switches as routing reads them.

#include "core/log/route_settings.h"
#include "core/search/search_query.h"
#include "core/views/ng_lists.h"

namespace ruv {

// The NG switches as routing reads them: they hold lines back only while the
// NGフィルター tab is shown.
NgSearchFilter ngFilterOf(const RouteSettings& settings, NgLists lists);

}  // namespace ruv
