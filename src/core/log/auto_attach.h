#pragma once
// The game starts a new log every day. While yesterday's log is attached and
// a file name changes in its folder, the system moves on to today's log in
// the same folder; these are the date and path rules of that switch.

#include <string>
#include <string_view>

#include "core/lines/daily_log_name.h"
#include "core/platform/native_path.h"

namespace ruv {

enum class AutoAttachStep {
    Stay,      // the attached log is not yesterday's, or no daily log at all
    SwitchTo,  // today's log, if it exists, is the one to follow
};

struct AutoAttachPlan {
    AutoAttachStep step = AutoAttachStep::Stay;
    std::string todaysLog;  // CP932, for SwitchTo
};

AutoAttachPlan planAutoAttach(std::string_view attachedPath, CivilDate today,
                              platform::PathStyle style = platform::kNativePathStyle);

}  // namespace ruv
