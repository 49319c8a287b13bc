#include "shell/app/window_font.h"

#include <QStringList>

namespace ruv {

QFont windowFont() {
    QFont font;
    font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"),
                      QStringLiteral("IPA Pゴシック")});
    font.setPixelSize(12);
    return font;
}

}  // namespace ruv
