#include "core/lines/daily_log_name.h"

#include <chrono>
#include <vector>

#include "core/lines/chat_format.h"
#include "core/text/sjis.h"

namespace ruv {

namespace {

std::optional<int> digitField(std::string_view text, std::size_t maxDigits) {
    if (text.empty() || text.size() > maxDigits) {
        return std::nullopt;
    }
    int value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
    }
    return value;
}

bool isValidDate(const CivilDate& date) {
    using namespace std::chrono;
    return year_month_day{year{date.year}, month{static_cast<unsigned>(date.month)},
                          day{static_cast<unsigned>(date.day)}}
        .ok();
}

}  // namespace

CivilDate dateOf(const platform::LocalDateTime& time) {
    return {time.year, time.month, time.day};
}

CivilDate dayBefore(CivilDate date) {
    using namespace std::chrono;
    const sys_days days_{year_month_day{year{date.year}, month{static_cast<unsigned>(date.month)},
                                        day{static_cast<unsigned>(date.day)}}};
    const year_month_day before{days_ - days{1}};
    return {static_cast<int>(before.year()),
            static_cast<int>(static_cast<unsigned>(before.month())),
            static_cast<int>(static_cast<unsigned>(before.day()))};
}

std::string dailyLogName(CivilDate date) {
    return dailyLogName(date.year, date.month, date.day);
}

std::optional<CivilDate> dailyLogDate(std::string_view fileName) {
    std::string rest = sjis::replaceAll(fileName, "MHChatLog_", "");
    rest = sjis::replaceAll(rest, ".html", "");
    rest = sjis::replaceAll(rest, "_", "/");
    std::vector<std::string_view> fields;
    std::string_view text(rest);
    for (std::size_t slash = text.find('/'); slash != std::string_view::npos;
         slash = text.find('/')) {
        fields.push_back(text.substr(0, slash));
        text.remove_prefix(slash + 1);
    }
    fields.push_back(text);
    if (fields.size() != 3) {
        return std::nullopt;
    }
    const auto year = digitField(fields[0], 4);
    const auto month = digitField(fields[1], 2);
    const auto day = digitField(fields[2], 2);
    if (!year || !month || !day) {
        return std::nullopt;
    }
    const CivilDate date{*year, *month, *day};
    if (!isValidDate(date)) {
        return std::nullopt;
    }
    return date;
}

std::string fileNameOf(std::string_view cp932Path, platform::PathStyle style) {
    return std::string(cp932Path.substr(platform::folderOf(cp932Path, style).size()));
}

std::string joinFolderAndName(std::string_view cp932Folder, std::string_view name,
                              platform::PathStyle style) {
    std::string path = platform::withTrailingSeparator(cp932Folder, style);
    path.append(name);
    return path;
}

}  // namespace ruv
