#pragma once
// A voice and the bytes of one speech request to 棒読みちゃん.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace ruv {

struct VoiceParams {
    int Speed = 100;   // 50-200
    int Tone = 100;    // 50-200
    int Volume = 100;  // 0-100
    int Voice = 0;     // 0 default, 1-8 the voice kinds

    friend constexpr bool operator==(const VoiceParams&, const VoiceParams&) = default;
};

// The voice of continuation lines before any full line has been spoken.
inline constexpr VoiceParams kSilentVoice{0, 0, 0, 0};

inline constexpr std::size_t kSpeechHeaderBytes = 15;

// The 15 header bytes (command 1 "read aloud", speed, tone, volume, voice as
// little-endian 16-bit values carrying their low 8 bits, character code 2 for
// Shift-JIS, the message length as a little-endian 32-bit value) followed by
// the message.
std::string speechRequestBytes(const VoiceParams& voice, std::string_view message);

}  // namespace ruv
