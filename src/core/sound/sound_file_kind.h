#pragma once
// Tells wave and MP3 files from anything else by their bytes, so a file that
// cannot be played is refused when it is opened, without waiting for a decoder.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "core/sound/media_player.h"

namespace ruv {

enum class SoundFileKind { Unknown, Wave, Mp3 };

// Reads up to count bytes at offset; fewer at the end of the data.
using ReadBytesAt = std::function<std::string(std::uint64_t offset, std::size_t count)>;

// A RIFF/WAVE file with a sound format chunk ahead of its data chunk, or MPEG
// audio (optionally behind an ID3v2 tag) whose first frames follow each other.
SoundFileKind soundFileKind(std::uint64_t size, const ReadBytesAt& readAt);
SoundFileKind soundFileKind(std::string_view bytes);

// Opened when the CP932 path names a file whose bytes are wave or MP3.
MediaOpenResult checkSoundFile(std::string_view cp932Path);

}  // namespace ruv
