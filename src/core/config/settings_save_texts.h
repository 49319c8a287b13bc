#pragma once
// The warning that names the settings files that could not be saved at exit.

#include <string_view>

#include "core/text/fixed_text.h"

namespace ruv::config::save_texts {

inline const FixedText kNotSavedHeading{"次のファイルを保存できませんでした。"};
inline const FixedText kReasonSeparator{"："};
inline const FixedText kFolderInTheWay{"同じ名前のフォルダーがあります"};
inline const FixedText kNotPermitted{"書き込みが許可されていません"};
inline const FixedText kDiskFull{"ディスクの空きが足りません"};
inline const FixedText kLineBreakInEntry{"改行を含む行があるため保存できません"};

}  // namespace ruv::config::save_texts
