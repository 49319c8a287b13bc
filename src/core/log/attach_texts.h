#pragma once
// Texts of the attach commands (CP932). The error-log texts are followed by
// the date and time.

#include <string_view>

namespace ruv {

// "初回アタッチの処理に失敗した(O2Click)"
inline constexpr std::string_view kAttachFailureText =
    "\x8f\x89\x89\xf1\x83\x41\x83\x5e\x83\x62\x83\x60\x82\xcc\x8f\x88\x97\x9d\x82\xc9\x8e\xb8"
    "\x94\x73\x82\xb5\x82\xbd(O2Click)";
// "アタッチの処理に失敗した(LogChange01Click)"
inline constexpr std::string_view kLogChangeFailureText =
    "\x83\x41\x83\x5e\x83\x62\x83\x60\x82\xcc\x8f\x88\x97\x9d\x82\xc9\x8e\xb8\x94\x73\x82\xb5"
    "\x82\xbd(LogChange01Click)";
// "自動アタッチ処理に失敗しました(ShellChangeNotifier02Change)"
inline constexpr std::string_view kAutoAttachFailureText =
    "\x8e\xa9\x93\xae\x83\x41\x83\x5e\x83\x62\x83\x60\x8f\x88\x97\x9d\x82\xc9\x8e\xb8\x94\x73"
    "\x82\xb5\x82\xdc\x82\xb5\x82\xbd(ShellChangeNotifier02Change)";

enum class AttachText {
    AttachState,      // "アタッチ": the status bar's state word
    TidyingState,     // "整頓 ": the state word while tidying, before the percentage sorted
    SizeUnavailable,  // "ファイルサイズの取得に失敗しました。"
    MissingFile,      // "指定したファイルは存在しません"
};

// The text in CP932, converted once from its UTF-8 source.
std::string_view attachText(AttachText text);

}  // namespace ruv
