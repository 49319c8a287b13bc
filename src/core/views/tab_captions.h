#pragma once
// Where the tabs' captions are shown; the unread counters write the counted ones.

#include <string_view>

#include "core/vocabulary/tab.h"

namespace ruv {

class TabCaptions {
  public:
    virtual ~TabCaptions() = default;
    // Caption in CP932.
    virtual void SetCaption(Tab tab, std::string_view caption) = 0;
};

}  // namespace ruv
