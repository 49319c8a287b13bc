#pragma once
// Texts of the attach commands (CP932). The error-log texts are followed by
// the date and time.

#include <string_view>

#include "core/text/fixed_text.h"

namespace ruv {

inline const FixedText kAttachFailureText{"初回アタッチの処理に失敗した(O2Click)"};
inline const FixedText kLogChangeFailureText{"アタッチの処理に失敗した(LogChange01Click)"};
inline const FixedText kAutoAttachFailureText{
    "自動アタッチ処理に失敗しました(ShellChangeNotifier02Change)"};

// The path panel while today's log is awaited, before its path.
inline const FixedText kAwaitingTodaysLogText{"今日のログを待っています: "};

enum class AttachText {
    AttachState,      // "アタッチ": the status bar's state word
    TidyingState,     // "整頓 ": the state word while tidying, before the percentage sorted
    SizeUnavailable,  // "ファイルサイズの取得に失敗しました。"
    MissingFile,      // "指定したファイルは存在しません"
};

// The text in CP932, converted once from its UTF-8 source.
std::string_view attachText(AttachText text);

}  // namespace ruv
