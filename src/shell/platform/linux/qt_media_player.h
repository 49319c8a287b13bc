#pragma once
// A call-sound player on Qt Multimedia. Opening checks the file's bytes at
// once and leaves the decoding to the backend, so the window never waits for
// it; a machine without a sound device plays nothing and carries on.

#include <QString>

#include <memory>

#include "core/sound/media_player.h"

class QAudioOutput;
class QMediaPlayer;

namespace ruv {

class QtMediaPlayer final : public MediaPlayer {
  public:
    QtMediaPlayer();
    ~QtMediaPlayer() override;
    QtMediaPlayer(const QtMediaPlayer&) = delete;
    QtMediaPlayer& operator=(const QtMediaPlayer&) = delete;

    MediaOpenResult open(std::string_view cp932Path) override;
    void close() override;
    bool stop() override;
    void seekToStart() override;
    void play() override;

    bool isOpen() const { return open_; }
    // The Qt player; null until a file was opened while an output device existed.
    const QMediaPlayer* player() const { return player_.get(); }
    // How often play() started the open sound, device or not.
    int playCount() const { return playCount_; }

  private:
    std::unique_ptr<QAudioOutput> output_;
    std::unique_ptr<QMediaPlayer> player_;
    bool open_ = false;
    int playCount_ = 0;
};

// The local file URL of a CP932 path; empty when the text names no path.
QString nativePathText(std::string_view cp932Path);

}  // namespace ruv
