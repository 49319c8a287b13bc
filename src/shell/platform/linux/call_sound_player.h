#pragma once
// Call sounds on Linux play through Qt Multimedia.

#include "shell/platform/linux/qt_media_player.h"

namespace ruv {
using CallSoundPlayer = QtMediaPlayer;
}  // namespace ruv
