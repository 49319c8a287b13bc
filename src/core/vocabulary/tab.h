#pragma once
// The main window's tabs in page order.

namespace ruv {

// The tabs in page order; the value is the page index. Hidden tabs keep theirs.
enum class Tab : int {
    Normal = 0,       // 通常
    Open = 1,         // 一般
    Team = 2,         // チーム
    Club = 3,         // クラブ
    Whis = 4,         // 耳打ち
    Shout = 5,        // 叫び
    Original = 6,     // オリジナル
    NG = 7,           // NGフィルター
    Battle = 8,       // 戦闘情報
    System = 9,       // システム
    ExpMonitor = 10,  // 経験値情報
    ErrorLog = 11,    // エラーログ
    Debug = 12,       // デバッグ (storage, never shown)
    Sounds = 13,      // 呼び出し音の設定 (storage, never shown)
};

inline constexpr int kTabCount = 14;
// Entries NF01 to NF11 of the tab menu; entry k belongs to the tab at index k - 1.
inline constexpr int kFilterEntryCount = 11;

enum class TabVisibility { Hidden, Shown };

constexpr int pageIndex(Tab tab) noexcept {
    return static_cast<int>(tab);
}

}  // namespace ruv
