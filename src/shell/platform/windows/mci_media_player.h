#pragma once
// A call-sound player on the Windows multimedia interface (MCI), which plays
// wave and MP3 files on every Windows. Opening checks the file's bytes first,
// as on every platform; when MCI itself cannot open the file (no sound
// device, no decoder) the slot stays open and silent, and the program carries on.

#include <string>

#include "core/sound/media_player.h"

namespace ruv {

class MciMediaPlayer final : public MediaPlayer {
  public:
    MciMediaPlayer();
    ~MciMediaPlayer() override;
    MciMediaPlayer(const MciMediaPlayer&) = delete;
    MciMediaPlayer& operator=(const MciMediaPlayer&) = delete;

    MediaOpenResult open(std::string_view cp932Path) override;
    void close() override;
    bool stop() override;
    void seekToStart() override;
    void play() override;

    bool isOpen() const { return open_; }
    // How often play() started the open sound, device or not.
    int playCount() const { return playCount_; }
    // The MCI device holding the file, as MCI names it ("waveaudio",
    // "mpegvideo"); empty while none is open.
    std::wstring deviceType() const;

  private:
    bool send(const std::wstring& command) const;

    std::wstring alias_;
    bool open_ = false;
    bool deviceOpen_ = false;
    int playCount_ = 0;
};

}  // namespace ruv
