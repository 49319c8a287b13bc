#pragma once
// A settings folder the program cannot write to (a read-only program folder,
// one under Program Files) is told at start, not found out at exit when a
// whole session's changes are lost.

#include <filesystem>
#include <string>
#include <string_view>

#include "core/text/fixed_text.h"

namespace ruv::config {

// The status bar's text while no log is attached.
inline const FixedText kReadOnlyFolderStatus{"設定を保存できません（フォルダーに書き込めません）"};

// Creates and removes a probe file in the folder; nothing else is touched.
bool canWriteIn(const std::filesystem::path& folder);
// The error log's text (CP932), naming the folder.
std::string readOnlyFolderText(std::string_view cp932Folder);

}  // namespace ruv::config
