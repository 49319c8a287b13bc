#include "shell/sound/sound_message_text.h"

#include "shell/platform/qt_text.h"

namespace ruv {

QString decodeSoundText(std::string_view cp932) {
    QString text = fromCp932Lines(cp932);
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

}  // namespace ruv
