#pragma once
// What the status bar's speech panel says about the queue, and its tooltip.

#include <string>

#include "core/speech/speech_client.h"
#include "core/text/fixed_text.h"

namespace ruv {

namespace speech_status_texts {
inline const FixedText kHead{"読み上げ: "};
inline const FixedText kWaitingHead{"待ち "};
inline const FixedText kLines{"行"};
inline const FixedText kPaused{"一時停止中"};
// The time the outage began goes between head and tail.
inline const FixedText kDownHead{"応答なし ("};
inline const FixedText kDownTail{"から)"};
inline const FixedText kDown{"応答なし"};
inline const FixedText kCannotPace{" (すぐ送信)"};
inline const FixedText kCannotPaceTip{
    "棒読みちゃんが待っている行数を答えないため、行をすぐに送っています"};
inline const FixedText kDroppedHead{" 破棄 "};
inline const FixedText kStaleTip{"古くなって捨てた行: "};
inline const FixedText kFloodTip{"連投で捨てた行: "};
}  // namespace speech_status_texts

struct SpeechStatusText {
    std::string text;     // CP932
    std::string tooltip;  // CP932, lines joined by "\n"
    friend bool operator==(const SpeechStatusText&, const SpeechStatusText&) = default;
};

// downSince: "HH:mm:ss" of the outage's start, shown while the link is down.
SpeechStatusText speechStatusText(const SpeechQueueStatus& status, std::string_view downSince);

namespace speech_check_texts {
inline const FixedText kPaces{"棒読みちゃんは応答しました。待っている行: "};
inline const FixedText kPacesTail{"行（送る量を調整できます）"};
inline const FixedText kCannotPace{
    "棒読みちゃんに届きますが、待っている行数を答えません。行はすぐに送ります。"};
inline const FixedText kChecking{"確認しています…"};
}  // namespace speech_check_texts

// What 接続を確認 says it found (CP932).
std::string speechCheckText(const SpeechProgramCheck& check);

}  // namespace ruv
