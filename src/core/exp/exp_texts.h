#pragma once
// The fixed texts of the EXP monitor.

#include <array>
#include <string_view>

#include "core/text/fixed_text.h"

namespace ruv::exp_texts {

// --- Basic page and status bar ---
inline const FixedText kExpTabCaption{"経験値情報"};
inline const FixedText kBasicPageCaption{"基本情報"};
inline const FixedText kExtendedPageCaption{"拡張情報"};
inline const FixedText kGainedCaption{"取得EXP"};
inline const FixedText kGainCountCaption{"EXPのカウント"};
inline const FixedText kAverageGainCaption{"平均EXP"};
inline const FixedText kHourlyRateCaption{"時給（経過÷EXP)"};
inline const FixedText kMaxHourlyCaption{"最高時給"};
inline const FixedText kMinHourlyCaption{"最低時給"};
inline const FixedText kDayTotalCaption{"日給"};
inline const FixedText kDayPerHourCaption{"日給÷24時間"};
inline const FixedText kDayCountCaption{"取得EXP総CT数"};
inline const FixedText kAccumulatedCaption{"累計EXP"};
inline const FixedText kSinceFirstGain{"初回取得EXPから"};
inline const FixedText kHoursLabel{"時間"};
inline const FixedText kMinutesLabel{"分"};
inline const FixedText kSecondsLabel{"秒"};
inline const FixedText kElapsedLabel{"経過"};
inline const FixedText kUpdateIntervalLabel{"時給計算の更新時間"};
inline const FixedText kOneSecondLabel{"1秒"};
inline const FixedText kPausedLabel{"更新処理停止中..."};
inline const FixedText kLostCountingPrefix{"ロストカウント発生中...　EXP:"};
inline const FixedText kSyncingNotice{"更新時間の同期中..."};
inline const FixedText kPauseCaption{"一時停止"};
inline const FixedText kResumeCaption{"再開"};
inline const FixedText kResetCaption{"リセット"};
inline const FixedText kResetTitle{"リセットの確認"};
inline const FixedText kResetQuestion{
    "日給・平均時給・取得EXPの総カウント数以外をリセットします。"};
inline const FixedText kLostMergeTitle{"ロストカウントの行方"};
inline const FixedText kLostMergeQuestion{
    "ロストカウント分を加算しますか？\r\n（一時停止中に計算した情報を加算します）\r\n（ただし最高・"
    "最低時給は反映されません）"};
inline const FixedText kAttachPanel{"アタッチ"};
inline const FixedText kStatusGainedLabel{" 取得EXP:"};
inline const FixedText kStatusHourlyLabel{" 時給EXP:"};
inline const FixedText kTickErrorText{"時給計算処理に失敗しました(Timer01Timer) "};
// --- Interval menu ---
inline const FixedText kIntervalMenuCaption{"時給更新時間の設定"};
inline const FixedText kStatusBarMenuCaption{"ステータスバーに時給を表示"};
inline const FixedText kInterval1Caption{" 1秒"};
inline const FixedText kInterval5Caption{" 5秒"};
inline const FixedText kInterval10Caption{"10秒"};
inline const FixedText kInterval30Caption{"30秒"};
inline const FixedText kInterval60Caption{"60秒"};
inline const FixedText kIntervalStopCaption{"停止"};
// --- Extended page and forecast ---
inline const FixedText kExtendedPageTitle{"新機能のテスト（ネタです）"};
inline const FixedText kLevelCaption{"現在のLv"};
inline const FixedText kNextExpCaption{"NextEXP"};
inline const FixedText kLimitExpCaption{"LimitEXP"};
inline const FixedText kExpCaption{"EXP"};
inline const FixedText kCorrectionCaption{"補正値（％）"};
inline const FixedText kLayout01Caption{"レイアウト01"};
inline const FixedText kLayout02Caption{"レイアウト02"};
inline const FixedText kForecastHeading{"次のLvまでにかかる予想時間"};
inline const FixedText kInputErrorNotice{"入力値エラーのため数値を0にします"};
inline const FixedText kNextExpOverPrefix{"Next EXP Over　"};
inline const FixedText kLimitExpOverPrefix{"Limit EXP Over　"};
inline const FixedText kDaysUnit{"日　"};
inline const FixedText kHoursUnit{"時　"};
inline const FixedText kMinutesUnit{"分　"};
inline const FixedText kSecondsUnit{"秒　"};
inline const FixedText kNextExpInitial{"Next EXP Over　0日　0時　0分　0秒"};
inline const FixedText kLimitExpInitial{"Limit EXP Over　0日　0時　0分　0秒"};
inline const FixedText kNextExpOverNotice{"Next EXP Over!!"};
inline const FixedText kForecastErrorText{"LvUP予想時間処理に失敗しました(Timer01Timer) "};

// The read-only memo of the extended page, one entry per line.
inline const std::array<FixedText, 22> kManualMemo{
    FixedText{"※：ただのネタシステムです。"},
    FixedText{"※：実際にはエラー王国な役立たずです。多分。"},
    FixedText{"※：入力は半角数字のみ有効です！（マイナス記号は使えます）"},
    FixedText{"※：全角文字や「%」などの記号はエラーになります。"},
    FixedText{"※：ログをアタッチしてから数値を入力してください。"},
    FixedText{"※：アタッチ前に数値を入力してもアタッチ時に初期化されます。"},
    FixedText{""},
    FixedText{"＜簡易説明書＞"},
    FixedText{"必須入力は「現在のLv」と「EXP」のみ。"},
    FixedText{""},
    FixedText{"＜補正値＞"},
    FixedText{"補正値は基本コンボやスキル使用時に獲得するEXP分を補うための補正です。"},
    FixedText{"意外とずれるので、何度か試しつつ補正値とEXPを調整してみてください。"},
    FixedText{"単体狩りなら 1% ～ 10%、範囲狩りなら1% ～ -10.00%くらいかな？"},
    FixedText{"1匹辺りのEXP値に補正を掛けるので、調整が難しいと思います。"},
    FixedText{"※：「%」の記入は不要です。"},
    FixedText{""},
    FixedText{"スキルのLv上げで経験値が減少した場合などは、"},
    FixedText{"再度EXPを記入し直してください。"},
    FixedText{""},
    FixedText{"ちなみに狩りをサボると"},
    FixedText{"予想時間が恐ろしい事になります。"},
};

}  // namespace ruv::exp_texts
