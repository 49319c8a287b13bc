#pragma once
// The settings and list files kept beside the executable (the sixth, the view
// options, is in view_settings.h).

#include <string_view>

namespace ruv::config {

inline constexpr std::string_view kConfigFileName = "config.ini";
inline constexpr std::string_view kNgUserListFileName = "nguserlist.txt";
inline constexpr std::string_view kNgWordListFileName = "ngwordlist.txt";
inline constexpr std::string_view kVoiceListFileName = "bouyomiuserlist.txt";
inline constexpr std::string_view kLogHistoryFileName = "loghistoryslist.txt";

}  // namespace ruv::config
