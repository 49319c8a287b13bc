#pragma once
// Daily logs: the date a log's file name carries, and the paths of the days.

#include <compare>
#include <optional>
#include <string>
#include <string_view>

#include "core/platform/clock.h"
#include "core/platform/native_path.h"

namespace ruv {

struct CivilDate {
    int year = 2000;
    int month = 1;
    int day = 1;

    friend constexpr auto operator<=>(const CivilDate&, const CivilDate&) = default;
};

CivilDate dateOf(const platform::LocalDateTime& time);
CivilDate dayBefore(CivilDate date);
// "MHChatLog_yyyy_mm_dd.html"
std::string dailyLogName(CivilDate date);

// The date a daily log's file name carries: every "MHChatLog_" and every
// ".html" removed, "_" read as "/", the rest read as year/month/day. Empty
// when that is no valid date.
std::optional<CivilDate> dailyLogDate(std::string_view fileName);

// The file name part of a path text (after its last separator).
std::string fileNameOf(std::string_view cp932Path,
                       platform::PathStyle style = platform::kNativePathStyle);

// folder and name joined by exactly one separator; an empty folder gives the
// name alone.
std::string joinFolderAndName(std::string_view cp932Folder, std::string_view name,
                              platform::PathStyle style = platform::kNativePathStyle);

}  // namespace ruv
