#pragma once
// Call sounds on Windows play through the platform's own multimedia interface.

#include "shell/platform/windows/mci_media_player.h"

namespace ruv {
using CallSoundPlayer = MciMediaPlayer;
}  // namespace ruv
