#pragma once
// The checks of the call-sound dialog's "OK", without its widgets.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/sound/call_sound_slot_ids.h"

namespace ruv {

// A refused "OK": the message box's title and text (CP932).
struct CallSoundRefusal {
    std::string_view title;
    std::string text;
};

// The first pair (a, b), a before b in slot order, where a's path is not empty
// and occurs within b's path; returns a.
std::optional<ChatChannel> findDuplicateSound(const CallSoundPaths& paths);
// "「<label>」で指定したファイルが他でも指定されています。" CR LF
// "それぞれ別のファイルを指定してください。"
std::string duplicateSoundMessage(ChatChannel slot);

using FileExists = std::function<bool(std::string_view cp932Path)>;
// Whether the CP932 path names an existing file (not a folder).
bool soundFileExists(std::string_view cp932Path);
// The first slot in slot order whose path is not empty and names no file.
std::optional<ChatChannel> findMissingSound(const CallSoundPaths& paths,
                                            const FileExists& exists = soundFileExists);
// "「<label>」で指定したファイルが存在しません。" CR LF "もう一度指定してください"
std::string missingSoundMessage(ChatChannel slot);

// "OK"'s checks in order: duplicates ("重複チェック"), then existence
// ("ファイルチェック"). Empty when the paths may be applied.
std::optional<CallSoundRefusal> checkCallSoundPaths(const CallSoundPaths& paths,
                                                    const FileExists& exists = soundFileExists);

}  // namespace ruv
