#pragma once
// What the error log says after "ファイルサイズの取得に失敗しました。": the log
// that could not be attached and why, so a mistyped name on the command line or
// a log moved away is found at a glance.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace ruv {

enum class UnattachableReason {
    Missing,     // nothing at that path
    Folder,      // a folder, not a log
    Unopenable,  // there, but it could not be opened or sized
};

// native: the path as the system names it; empty when it has no such name.
UnattachableReason whyUnattachable(const std::optional<std::filesystem::path>& native);
// CP932, e.g. "ファイルサイズの取得に失敗しました。 C:\logs\x.html: ファイルがありません。"
std::string unattachableLogText(std::string_view cp932Path, UnattachableReason reason);

}  // namespace ruv
