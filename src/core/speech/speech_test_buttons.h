#pragma once
// The connection test and the voice tests of the speech settings dialog. The
// dialog sends the request, waits kConnectionTestWait on a timer, then asks.

#include <chrono>
#include <string>
#include <string_view>

#include "core/speech/speech_request.h"

namespace ruv {

// "通信テスト"
inline constexpr std::string_view kConnectionTestMessage =
    "\x92\xca\x90M\x83"
    "e\x83X\x83g";
// "ボイステスト"
inline constexpr std::string_view kVoiceTestMessage =
    "\x83{\x83"
    "C\x83X\x83"
    "e\x83X\x83g";
inline constexpr std::chrono::milliseconds kConnectionTestWait{2500};

// "棒読みちゃんが「通信テスト」と読み上げましたか？" (Yes / No)
inline constexpr std::string_view kConnectionTestQuestion =
    "\x96_\x93\xc7\x82\xdd\x82\xbf\x82\xe1\x82\xf1\x82\xaa\x81u\x92\xca\x90M\x83"
    "e\x83X\x83g"
    "\x81v\x82\xc6\x93\xc7\x82\xdd\x8f\xe3\x82\xb0\x82\xdc\x82\xb5\x82\xbd\x82\xa9\x81H";
// "通信テスト終了" (information, on Yes)
inline constexpr std::string_view kConnectionTestDone =
    "\x92\xca\x90M\x83"
    "e\x83X\x83g\x8fI\x97\xb9";
// "通信に失敗しました。"
inline constexpr std::string_view kSendFailedText =
    "\x92\xca\x90M\x82\xc9\x8e\xb8\x94s\x82\xb5\x82\xdc\x82\xb5\x82\xbd\x81"
    "B";

// The warning shown on No: six lines joined by CR LF, the second one empty.
std::string connectionTestAdvice();

// Speed, tone and volume 100, voice 0 and "通信テスト"; the sliders are not used.
SpeechRequest connectionTestRequest(const SpeechEndpoint& endpoint);
// The voice of the pressed button's controls and "ボイステスト".
SpeechRequest voiceTestRequest(const SpeechEndpoint& endpoint, const VoiceParams& voice);

}  // namespace ruv
