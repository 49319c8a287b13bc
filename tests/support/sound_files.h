#pragma once
// Real sound files for tests: a PCM wave built here and the small MP3 files
// kept under tests/data/sound.

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <string>

namespace ruv::testing {

inline void putLe(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFFu));
    }
}

// A 16-bit mono PCM wave of a 660 Hz tone.
inline std::string makeWave(int milliseconds, std::uint32_t rate = 8000) {
    const std::uint32_t samples = rate * static_cast<std::uint32_t>(milliseconds) / 1000;
    std::string pcm;
    for (std::uint32_t i = 0; i < samples; ++i) {
        const double phase = 2.0 * 3.14159265358979 * 660.0 * i / rate;
        putLe(pcm, static_cast<std::uint16_t>(static_cast<std::int16_t>(6000 * std::sin(phase))),
              2);
    }
    std::string wave = "RIFF";
    putLe(wave, static_cast<std::uint32_t>(36 + pcm.size()), 4);
    wave += "WAVEfmt ";
    putLe(wave, 16, 4);
    putLe(wave, 1, 2);  // PCM
    putLe(wave, 1, 2);  // mono
    putLe(wave, rate, 4);
    putLe(wave, rate * 2, 4);
    putLe(wave, 2, 2);
    putLe(wave, 16, 2);
    wave += "data";
    putLe(wave, static_cast<std::uint32_t>(pcm.size()), 4);
    return wave + pcm;
}

// chime.mp3: 0.3 s of an 880 Hz tone, MPEG-2 layer III, 22.05 kHz, 32 kbit/s
// (encoded with LAME 3.100); chime_id3.mp3: the same behind an ID3v2 tag.
inline std::filesystem::path soundTestData(const char* name) {
    return std::filesystem::path(RUVIVUVAZ_TEST_DATA_DIR) / "sound" / name;
}

}  // namespace ruv::testing
