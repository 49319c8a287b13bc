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

namespace ruv::config {

// "タブページの管理設定"
inline constexpr std::string_view kStageTabs =
    "\x83^\x83u\x83y\x81[\x83W\x82\xcc\x8a\xc7\x97\x9d\x90\xdd\x92\xe8";
// "オリジナルタブの各チェックボックスの設定"
inline constexpr std::string_view kStageMix =
    "\x83I\x83\x8a\x83W\x83i\x83\x8b\x83^\x83u\x82\xcc\x8a\x65\x83`\x83\x46\x83\x62\x83N\x83{"
    "\x83\x62\x83N\x83X\x82\xcc\x90\xdd\x92\xe8";
// "更新時間・透過の設定"
inline constexpr std::string_view kStageIntervalAlpha =
    "\x8dX\x90V\x8e\x9e\x8a\xd4\x81\x45\x93\xa7\x89\xdf\x82\xcc\x90\xdd\x92\xe8";
// "音声ファイルの設定"
inline constexpr std::string_view kStageSounds =
    "\x89\xb9\x90\xba\x83t\x83@\x83\x43\x83\x8b\x82\xcc\x90\xdd\x92\xe8";
// "ステータスバー・新規ログ自動アタッチ・常に最前面の設定"
inline constexpr std::string_view kStageMenus =
    "\x83X\x83\x65\x81[\x83^\x83X\x83o\x81["
    "\x81\x45\x90V\x8bK\x83\x8d\x83O\x8e\xa9\x93\xae\x83\x41\x83^\x83\x62\x83`"
    "\x81\x45\x8f\xed\x82\xc9\x8d\xc5\x91O\x96\xca\x82\xcc\x90\xdd\x92\xe8";
// "ログファイルパス・前回のウィンドウ情報の設定"
inline constexpr std::string_view kStageWindow =
    "\x83\x8d\x83O\x83t\x83@"
    "\x83\x43\x83\x8b\x83p\x83X\x81\x45\x91O\x89\xf1\x82\xcc\x83\x45\x83\x42\x83\x93\x83h\x83\x45"
    "\x8f\xee\x95\xf1\x82\xcc\x90\xdd\x92\xe8";
// "棒読みちゃん用通信設定"
inline constexpr std::string_view kStageSpeech =
    "\x96_\x93\xc7\x82\xdd\x82\xbf\x82\xe1\x82\xf1\x97p\x92\xca\x90M\x90\xdd\x92\xe8";
// "SetValueListEditor01の初期化に失敗"
inline constexpr std::string_view kStageClear =
    "SetValueListEditor01\x82\xcc\x8f\x89\x8a\xfa\x89\xbb\x82\xc9\x8e\xb8\x94s";
// "SetValueListEditor01の再構成に失敗"
inline constexpr std::string_view kStageRebuild =
    "SetValueListEditor01\x82\xcc\x8d\xc4\x8d\x5c\x90\xac\x82\xc9\x8e\xb8\x94s";
// "SetValueListEditor01の新規作成に失敗"
inline constexpr std::string_view kStageFirstRun =
    "SetValueListEditor01\x82\xcc\x90V\x8bK\x8d\xec\x90\xac\x82\xc9\x8e\xb8\x94s";
// "設定ファイルの読み込みに失敗しました(FormCreate)"
inline constexpr std::string_view kStartupFailureText =
    "\x90\xdd\x92\xe8\x83t\x83@"
    "\x83\x43\x83\x8b\x82\xcc\x93\xc7\x82\xdd\x8d\x9e\x82\xdd\x82\xc9\x8e\xb8\x94s\x82\xb5\x82\xdc"
    "\x82\xb5\x82\xbd(FormCreate)";

// Slots of the call sounds in settings order: 01 to 06, then 09.
inline constexpr std::size_t kSoundSlotCount = 7;

// Everything config.ini restores and saves but the speech rows, as the window
// holds it. Defaults are the window's design state.
struct AppSettings {
    // Rows 1 to 11, in the order 通常, 一般, チーム, クラブ, 耳打ち, 叫び,
    // オリジナル, NGフィルター, 戦闘情報, システム, 経験値情報.
    std::array<bool, 11> tabShown{true, true, true,  true,  true, true,
                                  true, true, false, false, true};
    // Rows 13 to 19: the オリジナル tab's boxes 一般 to システム.
    std::array<bool, 7> mix{};
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
    int expLayout = 0;            // row 46
    bool ngUsersApplied = false;  // row 47 (NGWordCheck)
    bool ngWordsApplied = false;  // row 48 (NGUserCheck)
    bool speechSend = false;      // row 59
    int readMode = 0;             // row 60
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

// The values that name a menu entry; others change nothing when restored.
bool isIntervalEntry(int seconds) noexcept;
bool isTransparencyEntry(int percent) noexcept;

}  // namespace ruv::config
