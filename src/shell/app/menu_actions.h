#pragma once
// The main menu's entries, one typed field each, so code that acts on the menu
// names what it means instead of looking entries up by name.

#include <QAction>

#include <array>

#include "core/app/window_options.h"
#include "core/log/log_history.h"
#include "core/views/tab_rules.h"
#include "shell/exp/exp_monitor_controls.h"

namespace ruv {

struct TransparencyEntry {
    Transparency transparency;
    int percent;
    QAction* action = nullptr;
};

struct MenuActions {
    // ファイル(&F)
    QAction* attachLog = nullptr;   // アタッチログ(&O)
    QAction* addAttach = nullptr;   // 追加アタッチ
    QAction* searchLogs = nullptr;  // 過去ログ検索(&S)
    QAction* todaysLog = nullptr;
    QAction* yesterdaysLog = nullptr;
    std::array<QAction*, kLogHistoryMenuEntries> history{};
    QAction* exit = nullptr;

    // オプション(&O)
    std::array<QAction*, kFilterEntryCount> tabs{};  // フィルター設定, entry k for the k-th tab
    std::array<IntervalEntry, 6> intervals{};        // 時給更新時間の設定, in menu order
    std::array<TransparencyEntry, 6> transparencies{};  // 透過設定
    QAction* callSounds = nullptr;                      // 呼び出し音の設定
    QAction* rateInStatusBar = nullptr;                 // ステータスバーに時給を表示
    QAction* autoAttach = nullptr;          // 自動で新規ログをアタッチする
    QAction* tidyOnAttach = nullptr;        // アタッチ時に過去ログを整頓する
    QAction* ngOnTidy = nullptr;            // 過去ログの整理にもNGを適用
    QAction* attachTodayAtStart = nullptr;  // 起動時に今日のログをアタッチする
    QAction* resetExpAtNewDay = nullptr;    // 日付が変わったらEXPの集計をやり直す
    QAction* alwaysOnTop = nullptr;         // 常に最前面
    QAction* textLarger = nullptr;          // 文字を大きく
    QAction* textSmaller = nullptr;         // 文字を小さく
    QAction* textDefault = nullptr;         // 文字の大きさを元に戻す
    QAction* callAlert = nullptr;           // 耳打ち・呼び出しで通知

    // 読み上げ
    QAction* speechSkip = nullptr;   // 今の行を飛ばす
    QAction* speechClear = nullptr;  // 待っている行をすべて消す
    QAction* speechPause = nullptr;  // 一時停止 (checked while paused)

    // ヘルプ(&H)
    QAction* about = nullptr;
    QAction* help = nullptr;
};

}  // namespace ruv
