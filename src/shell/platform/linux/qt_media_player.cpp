#include "shell/platform/linux/qt_media_player.h"

#include <QAudioDevice>
#include <QAudioOutput>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QUrl>

#include "core/platform/native_path.h"
#include "core/sound/sound_file_kind.h"

namespace ruv {

namespace {

// Qt 6.4's backends fail hard without an output device (the FFmpeg one writes
// to a missing device, the GStreamer one needs its audio elements), so no Qt
// player is made until a device exists; the slot then stays open and silent.
bool outputDeviceAvailable() {
    return !QMediaDevices::audioOutputs().isEmpty();
}

}  // namespace

QtMediaPlayer::QtMediaPlayer() = default;

QtMediaPlayer::~QtMediaPlayer() {
    close();
}

MediaOpenResult QtMediaPlayer::open(std::string_view cp932Path) {
    close();
    const MediaOpenResult result = checkSoundFile(cp932Path);
    if (result != MediaOpenResult::Opened) {
        return result;
    }
    if (!player_ && outputDeviceAvailable()) {
        output_ = std::make_unique<QAudioOutput>();
        player_ = std::make_unique<QMediaPlayer>();
        player_->setAudioOutput(output_.get());
    }
    if (player_) {
        // Loads in the background; a decoding error later only leaves it silent.
        player_->setSource(QUrl::fromLocalFile(nativePathText(cp932Path)));
    }
    open_ = true;
    return result;
}

void QtMediaPlayer::close() {
    if (player_ && open_) {
        player_->stop();
        player_->setSource(QUrl());
    }
    open_ = false;
}

bool QtMediaPlayer::stop() {
    if (!open_) {
        return false;
    }
    if (player_) {
        player_->stop();
    }
    return true;
}

void QtMediaPlayer::seekToStart() {
    if (open_ && player_) {
        player_->setPosition(0);
    }
}

void QtMediaPlayer::play() {
    if (!open_) {
        return;
    }
    ++playCount_;
    if (player_) {
        player_->play();
    }
}

QString nativePathText(std::string_view cp932Path) {
    const auto path = platform::toNativePath(cp932Path);
    return path ? QString::fromStdU16String(path->u16string()) : QString();
}

}  // namespace ruv
