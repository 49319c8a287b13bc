#pragma once
// One press of the find dialog's button over a view's line store: the same
// outcome as findInText over the store's whole text (CR LF between lines), but
// without building that text when the search text holds no line break.

#include <string_view>

#include "core/views/find_in_text.h"
#include "core/views/line_store.h"

namespace ruv {

FindOutcome findInLines(const LineStore& store, std::string_view needle, TextSelection selection,
                        FindDirection direction);

}  // namespace ruv
