#pragma once
// Start-up and exit of the settings as plain values: config.ini applied row by
// row by key, the canonical 60-row layout rebuilt from the state in force, and
// the rows written back by number at exit.

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include <vector>

#include "core/config/config_store.h"
#include "core/log/route_settings.h"
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

// Slots of the call sounds in settings order: 01 to 06, then 09.
inline constexpr std::size_t kSoundSlotCount = 7;

// Everything config.ini restores and saves but the speech rows, as the window
// holds it. Defaults are the window's design state.
struct AppSettings {
    // Rows 1 to 11 (tabs shown, by channel), 13 to 19 (mix boxes), 47, 48 and
    // 59; the keywords are not stored.
    RouteSettings route;
    int intervalSeconds = 1;      // row 21: 0 ("停止"), 1, 5, 10, 30 or 60
    int transparencyPercent = 0;  // row 22: 0 to 50 in steps of 10
    std::array<std::string, kSoundSlotCount> soundPaths{};  // rows 25-30, 33
    bool statusBarRate = false;                             // row 36
    bool autoAttach = true;                                 // row 37
    bool topMost = false;                                   // row 38
    bool tidyOnAttach = false;                              // row 39
    std::string logFolder;                                  // row 41
    std::optional<int> windowTop;                           // rows 42 to 45
    std::optional<int> windowLeft;
    std::optional<int> windowHeight;
    std::optional<int> windowWidth;
    int expLayout = 0;  // row 46
    int readMode = 0;   // row 60
};

// The speech rows as read at start-up, only to rebuild rows 51 to 58.
struct SpeechRowsRead {
    std::string address;
    int port = 0;
    int volume = 0;
    int speed = 0;
    int tone = 0;
    int voice = 0;
    int limit = 0;
    int nameFlag = 0;
};

// A row that could not be applied: its stage label and what was wrong.
struct StartupIssue {
    std::string_view stage;
    std::string detail;
};

// Applies every row whose key is in the layout, in file order, to settings and
// speech. A row that cannot be applied is recorded with the label of its
// group and skipped; the rows after it still apply.
std::vector<StartupIssue> applyConfigRows(const ConfigStore& store, AppSettings& settings,
                                          SpeechRowsRead& speech);

// The canonical 60 rows written from the state in force.
ConfigStore canonicalStore(const AppSettings& settings, const SpeechRowsRead& speech);

// Exit: every row by number from the state, rows 51 to 58 left as they are.
// The store must hold the canonical layout.
void writeExitRows(ConfigStore& store, const AppSettings& settings);

// Exit, as the window saves it: a store without the canonical layout is
// rebuilt first, then every row is written from the state; the log folder kept
// is the attached log's, or the stored one while no log is attached.
void writeExitState(ConfigStore& store, AppSettings state, std::string_view attachedLogFolder);

// The values that name a menu entry; others change nothing when restored.
bool isIntervalEntry(int seconds) noexcept;
bool isTransparencyEntry(int percent) noexcept;

}  // namespace ruv::config
