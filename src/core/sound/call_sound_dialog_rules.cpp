#include "core/sound/call_sound_dialog_rules.h"

#include <filesystem>

#include "core/platform/native_path.h"
#include "core/sound/call_sound_texts.h"
#include "core/text/sjis.h"

namespace ruv {

namespace {

std::string labelled(ChatChannel slot, std::string_view tail, std::string_view advice) {
    std::string text(call_sound_texts::kQuoteOpen);
    text.append(callSoundLabel(slot));
    text.append(tail);
    text.append("\r\n");
    text.append(advice);
    return text;
}

}  // namespace

std::optional<ChatChannel> findDuplicateSound(const CallSoundPaths& paths) {
    for (std::size_t a = 0; a < paths.size(); ++a) {
        if (paths[a].empty()) {
            continue;
        }
        for (std::size_t b = a + 1; b < paths.size(); ++b) {
            if (sjis::contains(paths[b], paths[a])) {
                return kCallSoundSlots[a];
            }
        }
    }
    return std::nullopt;
}

std::string duplicateSoundMessage(ChatChannel slot) {
    return labelled(slot, call_sound_texts::kDuplicateTail, call_sound_texts::kDuplicateAdvice);
}

bool soundFileExists(std::string_view cp932Path) {
    const auto path = platform::toNativePath(cp932Path);
    std::error_code error;
    return path && std::filesystem::is_regular_file(*path, error);
}

std::optional<ChatChannel> findMissingSound(const CallSoundPaths& paths, const FileExists& exists) {
    for (std::size_t i = 0; i < paths.size(); ++i) {
        if (!paths[i].empty() && !exists(paths[i])) {
            return kCallSoundSlots[i];
        }
    }
    return std::nullopt;
}

std::string missingSoundMessage(ChatChannel slot) {
    return labelled(slot, call_sound_texts::kMissingTail, call_sound_texts::kMissingAdvice);
}

std::optional<CallSoundRefusal> checkCallSoundPaths(const CallSoundPaths& paths,
                                                    const FileExists& exists) {
    if (const auto slot = findDuplicateSound(paths)) {
        return CallSoundRefusal{call_sound_texts::kDuplicateTitle, duplicateSoundMessage(*slot)};
    }
    if (const auto slot = findMissingSound(paths, exists)) {
        return CallSoundRefusal{call_sound_texts::kFileCheckTitle, missingSoundMessage(*slot)};
    }
    return std::nullopt;
}

}  // namespace ruv
