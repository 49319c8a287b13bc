#pragma once
// The connection test and the voice tests of the speech settings dialog. The
// dialog sends the request, waits kConnectionTestWait on a timer, then asks.

#include <chrono>
#include <string>
#include <string_view>

#include "core/text/fixed_text.h"

#include "core/speech/speech_request.h"

namespace ruv {

inline const FixedText kConnectionTestMessage{"通信テスト"};
inline const FixedText kVoiceTestMessage{"ボイステスト"};
inline constexpr std::chrono::milliseconds kConnectionTestWait{2500};

// "棒読みちゃんが「通信テスト」と読み上げましたか？" (Yes / No)
inline const FixedText kConnectionTestQuestion{"棒読みちゃんが「通信テスト」と読み上げましたか？"};
// "通信テスト終了" (information, on Yes)
inline const FixedText kConnectionTestDone{"通信テスト終了"};
inline const FixedText kSendFailedText{"通信に失敗しました。"};

// The warning shown on No: six lines joined by CR LF, the second one empty.
std::string connectionTestAdvice();

// Speed, tone and volume 100, voice 0 and "通信テスト"; the sliders are not used.
SpeechRequest connectionTestRequest(const SpeechEndpoint& endpoint);
// The voice of the pressed button's controls and "ボイステスト".
SpeechRequest voiceTestRequest(const SpeechEndpoint& endpoint, const VoiceParams& voice);

}  // namespace ruv
