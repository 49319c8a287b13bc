#pragma once
// The five files of the original program, kept beside the executable (the view
// options file is in view_settings.h).

#include <string_view>

namespace ruv::config {

inline constexpr std::string_view kConfigFileName = "config.ini";
inline constexpr std::string_view kNgUserListFileName = "nguserlist.txt";
inline constexpr std::string_view kNgWordListFileName = "ngwordlist.txt";
inline constexpr std::string_view kVoiceListFileName = "bouyomiuserlist.txt";
inline constexpr std::string_view kLogHistoryFileName = "loghistoryslist.txt";

}  // namespace ruv::config
