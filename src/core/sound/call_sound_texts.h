#pragma once
// The texts of the call sounds and their dialog.

#include <string_view>

#include "core/text/fixed_text.h"

namespace ruv::call_sound_texts {

inline const FixedText kRestoreFailedMessage{
    "以前に設定した音声ファイルが見つかりません。\r呼び出し音の設定を開き、指定したファイルを再度確"
    "認してください。"};
// The error log adds a blank and the date-time.
inline const FixedText kRestoreFailedLogText{"設定ファイルの読み込みに失敗しました(FormCreate)"};
inline const FixedText kDuplicateTitle{"重複チェック"};
inline const FixedText kFileCheckTitle{"ファイルチェック"};
inline const FixedText kQuoteOpen{"「"};
inline const FixedText kDuplicateTail{"」で指定したファイルが他でも指定されています。"};
inline const FixedText kDuplicateAdvice{"それぞれ別のファイルを指定してください。"};
inline const FixedText kMissingTail{"」で指定したファイルが存在しません。"};
inline const FixedText kMissingAdvice{"もう一度指定してください"};
// The media layer's errors when a file cannot be opened (the path follows).
inline const FixedText kFileNotFound{"指定したファイルが見つかりません。"};
inline const FixedText kNotPlayable{"指定したファイルは再生できません。"};
inline const FixedText kLabelNormal{"通常"};
inline const FixedText kLabelOpen{"オープン"};
inline const FixedText kLabelTeam{"チーム"};
inline const FixedText kLabelClub{"クラブ"};
inline const FixedText kLabelWhis{"耳打ち"};
inline const FixedText kLabelShout{"叫び"};
inline const FixedText kLabelOriginal{"オリジナル"};

}  // namespace ruv::call_sound_texts
