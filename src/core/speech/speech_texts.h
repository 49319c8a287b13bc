#pragma once
// The fixed texts of speech: read modes, refusals, error lines and the advice
// after a failed connection test.

#include "core/text/fixed_text.h"

namespace ruv::speech_texts {

inline const FixedText kReadAllWithProfiles{"全て読み上げる（ユーザー別発声設定を有効）"};
inline const FixedText kReadAllWithoutProfiles{"全て読み上げる（ユーザー別発声設定を無効）"};
inline const FixedText kReadOnlyProfiled{"発声設定したユーザーだけ読み上げる"};
inline const FixedText kReadAllButProfiled{"発声設定したユーザーだけ読み上げない"};

// After "'" and the typed port.
inline const FixedText kPortOutOfRangeTail{"' はポート番号の範囲（1～65535）外です"};
// Followed by ":" and the keys, separated by ",".
inline const FixedText kBadSettingsText{"毒電波設定の値が数値ではないため初期値にしました"};

// The line numbers go between head and tail, separated by ",".
inline const FixedText kUnusableVoiceLinesHead{"bouyomiuserlist.txtの"};
inline const FixedText kUnusableVoiceLinesTail{
    "行目は読めないため読み上げに使いません(FormCreate) "};
inline const FixedText kVoiceListLoadFailed{
    "bouyomiuserlist.txtを読み込めませんでした(FormCreate)"};

// The count of dropped requests goes between head and tail.
inline const FixedText kOldEndpointDroppedHead{
    "毒電波の送信先が変わったため、前の送信先への読み上げ要求を"};
inline const FixedText kOldEndpointDroppedTail{"件破棄しました(Button01Click) "};
inline const FixedText kQueueOverflowHead{"毒電波の送信待ちが溢れたため、古い読み上げ要求を"};
inline const FixedText kQueueOverflowTail{"件破棄しました(SpeakLine) "};

// "通信に失敗しました。" goes before the head; the reason between head and tail.
inline const FixedText kOutageHead{"棒読みちゃんに読み上げを届けられません（"};
inline const FixedText kOutageTail{"）(SpeakLine) "};
// The count of lines dropped during the outage goes between head and tail.
inline const FixedText kOutageEndedHead{
    "棒読みちゃんに読み上げが届くようになりました。届かない間に破棄した行："};
inline const FixedText kOutageEndedTail{"行(SpeakLine) "};

// Why the speech program could not be reached.
inline const FixedText kFailureBadAddress{"IPアドレスが正しくありません"};
inline const FixedText kFailureRefused{"接続を拒否されました"};
inline const FixedText kFailureTimedOut{"接続が時間内に応答しません"};
inline const FixedText kFailureReset{"接続が切れました"};
inline const FixedText kFailureNoAnswer{"問い合わせに応答がありません"};
inline const FixedText kFailureFault{"ソケットを使えません"};

inline const FixedText kConnectionTestAdvice{
    "以下の事を確認して、再度通信テストをして見てください\r\n"
    "\r\n"
    "１：棒読みちゃんの起動の確認\r\n"
    "２：棒読みちゃんの「Socket通信を使う」が「True」になっているか確認\r\n"
    "３：棒読みちゃんのポート番号の確認\r\n"
    "４：ファイヤーウォール等の設定の確認"};

}  // namespace ruv::speech_texts
