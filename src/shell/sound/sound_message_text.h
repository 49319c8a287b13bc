#pragma once
// CP932 texts of the call sounds as shown in Qt: decoded, and with the CR LF
// and lone CR line breaks of the texts as the line feed Qt breaks lines at.

#include <QString>

#include <string_view>

#include "core/sound/call_sound_texts.h"

namespace ruv {

QString decodeSoundText(std::string_view cp932);

}  // namespace ruv
