#pragma once
// Start-up and exit of the settings as plain values: config.ini applied row by
// row by key, the canonical 60-row layout rebuilt from the state in force, and
// the rows written back by number at exit.

#include <string>
#include <string_view>
#include <vector>

#include "core/app/session_state.h"
#include "core/config/config_store.h"
#include "core/text/fixed_text.h"

namespace ruv::config {

inline const FixedText kStageTabs{"タブページの管理設定"};
inline const FixedText kStageMix{"オリジナルタブの各チェックボックスの設定"};
inline const FixedText kStageIntervalAlpha{"更新時間・透過の設定"};
inline const FixedText kStageSounds{"音声ファイルの設定"};
inline const FixedText kStageMenus{"ステータスバー・新規ログ自動アタッチ・常に最前面の設定"};
inline const FixedText kStageWindow{"ログファイルパス・前回のウィンドウ情報の設定"};
inline const FixedText kStageSpeech{"棒読みちゃん用通信設定"};
inline const FixedText kStageClear{"SetValueListEditor01の初期化に失敗"};
inline const FixedText kStageRebuild{"SetValueListEditor01の再構成に失敗"};
inline const FixedText kStageFirstRun{"SetValueListEditor01の新規作成に失敗"};
inline const FixedText kStartupFailureText{"設定ファイルの読み込みに失敗しました(FormCreate)"};

enum class IssueKind {
    NotANumber,  // a number was expected
    Unusable,    // a number the setting cannot take (out of range, no menu entry)
};

// A row that could not be applied: its stage label, what was wrong, where it
// is and what is in force instead.
struct StartupIssue {
    std::string_view stage;
    std::string detail;
    IssueKind kind = IssueKind::NotANumber;
    int line = 0;  // its line in config.ini, from 1
    std::string key;
    std::string value;
    // The value in force instead, as it will be saved; empty: none is kept
    // (the window's place and size then come from the desktop).
    std::string usedInstead;
};

// The error log's line after the start-up failure, in CP932: the file, the
// line, the row and what is used instead, e.g.
// "config.ini 52行目 BouPort=999999: 使えない値です。代わりに 50001 を使います。"
std::string startupIssueText(const StartupIssue& issue);

// Applies every row whose key is in the layout, in file order, to the state.
// A row that cannot be applied is recorded with the label of its group and
// skipped; the rows after it still apply. The speech rows (51 to 58) are read
// together: an empty address, or a number that is missing, unreadable or not
// positive, takes its first-run value.
std::vector<StartupIssue> applyConfigRows(const ConfigStore& store, SessionState& state);

// The canonical 60 rows written from the state in force.
ConfigStore canonicalStore(const SessionState& state);

// Exit: every row by number from the state. The store must hold the
// canonical layout.
void writeExitRows(ConfigStore& store, const SessionState& state);

// Exit, as the window saves it: a store without the canonical layout is
// rebuilt first, then every row is written from the state; the log folder kept
// is the attached log's, or the one read at start-up while no log is attached.
void writeExitState(ConfigStore& store, SessionState state, std::string_view attachedLogFolder);

// The values that name a menu entry; others change nothing when restored.
bool isIntervalEntry(int seconds) noexcept;
bool isTransparencyEntry(int percent) noexcept;

}  // namespace ruv::config
