#pragma once
// ruvivuvaz_view.ini: the program's own view options, kept apart from
// config.ini so that its fixed rows stay as they are. CP932 lines "Key=Value"
// ending in CR LF, written whole and atomically.

#include <filesystem>
#include <string>
#include <string_view>

#include "core/config/text_size.h"

namespace ruv::config {

inline constexpr std::string_view kViewSettingsFileName = "ruvivuvaz_view.ini";

struct ViewSettings {
    TextSize textSize;       // FontSize=
    bool callAlert = false;  // CallAlert= "耳打ち・呼び出しで通知"
    // NgOnTidy= "過去ログの整理にもNGを適用"; its row is written only while it
    // is on, so a file from before the option reads back byte for byte.
    bool ngOnTidy = false;
    // WindowMaximized=: the window was closed maximised; written only while on.
    bool windowMaximized = false;
    // AttachTodayAtStart= "起動時に今日のログをアタッチする" and ResetExpAtNewDay=
    // "日付が変わったらEXPの集計をやり直す", written only while on, as NgOnTidy.
    bool attachTodayAtStart = false;
    bool resetExpAtNewDay = false;

    friend bool operator==(const ViewSettings&, const ViewSettings&) = default;
};

// The file's bytes.
std::string viewSettingsText(const ViewSettings& settings);
// Each key takes its default when the file lacks it or its value is not one
// the program writes; unknown lines are ignored.
ViewSettings parseViewSettings(std::string_view bytes);

// A missing or unreadable file gives the defaults: the options are a comfort,
// never a reason to stop.
ViewSettings loadViewSettings(const std::filesystem::path& file);
// Throws FileError when the file can't be written; the old file stays whole.
void saveViewSettings(const std::filesystem::path& file, const ViewSettings& settings);

}  // namespace ruv::config
