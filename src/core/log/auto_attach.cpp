#include "core/log/auto_attach.h"

namespace ruv {

AutoAttachPlan planAutoAttach(std::string_view attachedPath, CivilDate today,
                              platform::PathStyle style) {
    const std::optional<CivilDate> logDate = dailyLogDate(fileNameOf(attachedPath, style));
    // A log whose name carries no date (a copy, a backup) has no next day.
    if (!logDate || *logDate != dayBefore(today)) {
        return {AutoAttachStep::Stay, {}};
    }
    return {AutoAttachStep::SwitchTo,
            joinFolderAndName(platform::folderOf(attachedPath, style), dailyLogName(today), style)};
}

}  // namespace ruv
