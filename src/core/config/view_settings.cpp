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
    if (settings.ngOnTidy) {
        lines.push_back(std::string(kNgOnTidyKey) + "=1");
    }
    if (settings.windowMaximized) {
        lines.push_back(std::string(kWindowMaximizedKey) + "=1");
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
        } else if (const auto flag = valueOf(line, kCallAlertKey)) {
            if (*flag == "1" || *flag == "0") {
                settings.callAlert = *flag == "1";
            }
        } else if (const auto tidy = valueOf(line, kNgOnTidyKey)) {
            if (*tidy == "1" || *tidy == "0") {
                settings.ngOnTidy = *tidy == "1";
            }
        } else if (const auto maximized = valueOf(line, kWindowMaximizedKey)) {
            if (*maximized == "1" || *maximized == "0") {
                settings.windowMaximized = *maximized == "1";
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
