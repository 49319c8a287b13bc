#include "shell/sound/sound_message_text.h"

#include "shell/views/line_text.h"

namespace ruv {

QString decodeSoundText(std::string_view cp932) {
    QString text = decodeCp932(cp932);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

}  // namespace ruv
