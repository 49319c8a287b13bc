#include "core/sound/media_player.h"

#include "core/sound/call_sound_texts.h"

namespace ruv {

std::string mediaOpenErrorText(MediaOpenResult result, std::string_view cp932Path) {
    std::string_view reason;
    switch (result) {
        case MediaOpenResult::Opened:
            return {};
        case MediaOpenResult::FileMissing:
            reason = call_sound_texts::kFileNotFound;
            break;
        case MediaOpenResult::NotPlayable:
            reason = call_sound_texts::kNotPlayable;
            break;
    }
    std::string text(reason);
    text.append("\r\n");
    text.append(cp932Path);
    return text;
}

}  // namespace ruv
