#pragma once
// One sound player of the media layer, as the call sounds use it.

#include <string>
#include <string_view>

namespace ruv {

enum class MediaOpenResult {
    Opened,
    FileMissing,  // no file at the path
    NotPlayable,  // not a wave or MP3 file this layer can play
};

class MediaPlayer {
  public:
    virtual ~MediaPlayer() = default;

    // Opens the file at a CP932 path; the player is open only on Opened.
    virtual MediaOpenResult open(std::string_view cp932Path) = 0;
    // Harmless when not open.
    virtual void close() = 0;
    // False when not open.
    virtual bool stop() = 0;
    virtual void seekToStart() = 0;
    // Returns at once; the sound plays on.
    virtual void play() = 0;
};

// The text shown when opening a file failed (CP932); empty for Opened.
std::string mediaOpenErrorText(MediaOpenResult result, std::string_view cp932Path);

}  // namespace ruv
