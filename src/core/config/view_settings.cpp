#include "core/config/view_settings.h"

#include <optional>
#include <vector>

#include "core/config/config_error.h"
#include "core/config/integer_text.h"
#include "core/config/list_file.h"
#include "core/platform/text_file.h"

namespace ruv::config {

namespace {

constexpr std::string_view kFontSizeKey = "FontSize";
constexpr std::string_view kCallAlertKey = "CallAlert";
constexpr std::string_view kNgOnTidyKey = "NgOnTidy";
constexpr std::string_view kWindowMaximizedKey = "WindowMaximized";
constexpr std::string_view kAttachTodayAtStartKey = "AttachTodayAtStart";
constexpr std::string_view kResetExpAtNewDayKey = "ResetExpAtNewDay";

// A switch's "1" or "0"; empty for any other value.
std::optional<bool> switchValue(std::string_view value) {
    if (value == "1" || value == "0") {
        return value == "1";
    }
    return std::nullopt;
}

std::optional<std::string_view> valueOf(std::string_view line, std::string_view key) {
    if (line.size() <= key.size() || !line.starts_with(key) || line[key.size()] != '=') {
        return std::nullopt;
    }
    return line.substr(key.size() + 1);
}

}  // namespace

std::string viewSettingsText(const ViewSettings& settings) {
    std::vector<std::string> lines{
        std::string(kFontSizeKey) + "=" + integerText(settings.textSize.points()),
        std::string(kCallAlertKey) + "=" + (settings.callAlert ? "1" : "0")};
    // The later options' rows only while they are on, so a file from before
    // an option reads back byte for byte.
    for (const auto& [on, key] : {std::pair{settings.ngOnTidy, kNgOnTidyKey},
                                  std::pair{settings.windowMaximized, kWindowMaximizedKey},
                                  std::pair{settings.attachTodayAtStart, kAttachTodayAtStartKey},
                                  std::pair{settings.resetExpAtNewDay, kResetExpAtNewDayKey}}) {
        if (on) {
            lines.push_back(std::string(key) + "=1");
        }
    }
    return joinLines(lines);
}

ViewSettings parseViewSettings(std::string_view bytes) {
    ViewSettings settings;
    for (const std::string& line : splitLines(bytes)) {
        if (const auto value = valueOf(line, kFontSizeKey)) {
            const std::optional<int> points = parseInteger(*value);
            if (points && *points >= TextSize::kSmallest && *points <= TextSize::kLargest) {
                settings.textSize = TextSize(*points);
            }
        } else {
            for (const auto& [key, target] :
                 {std::pair{kCallAlertKey, &settings.callAlert},
                  std::pair{kNgOnTidyKey, &settings.ngOnTidy},
                  std::pair{kWindowMaximizedKey, &settings.windowMaximized},
                  std::pair{kAttachTodayAtStartKey, &settings.attachTodayAtStart},
                  std::pair{kResetExpAtNewDayKey, &settings.resetExpAtNewDay}}) {
                if (const auto flag = valueOf(line, key); flag && switchValue(*flag)) {
                    *target = *switchValue(*flag);
                }
            }
        }
    }
    return settings;
}

ViewSettings loadViewSettings(const std::filesystem::path& file) {
    const platform::FileContent content = platform::readWholeFile(file);
    return content.status == platform::ReadStatus::Ok ? parseViewSettings(content.bytes)
                                                      : ViewSettings{};
}

void saveViewSettings(const std::filesystem::path& file, const ViewSettings& settings) {
    if (const std::error_code failure =
            platform::writeWholeFileAtomically(file, viewSettingsText(settings))) {
        throw FileError("write", file, failure);
    }
}

}  // namespace ruv::config
