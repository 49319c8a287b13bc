#include "shell/app/app_icon.h"

#include <QPainter>
#include <QPainterPath>

namespace ruv {

// A dark speech bubble holding chat lines in the channels' colours.
QImage appIconImage(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal unit = size / 64.0;

    QPainterPath bubble;
    bubble.addRoundedRect(QRectF(4 * unit, 6 * unit, 56 * unit, 42 * unit), 9 * unit, 9 * unit);
    QPainterPath tail;
    tail.moveTo(16 * unit, 46 * unit);
    tail.lineTo(12 * unit, 59 * unit);
    tail.lineTo(28 * unit, 46 * unit);
    tail.closeSubpath();
    painter.setPen(QPen(QColor(0x94ddfa), 2.5 * unit));
    painter.setBrush(QColor(0x14, 0x18, 0x24));
    painter.drawPath(bubble.united(tail));

    const QColor lines[] = {QColor(0xc8ffc8), QColor(0xf7b73c), QColor(0x64ff64), QColor(0xff64ff)};
    const qreal widths[] = {38, 28, 34, 22};
    painter.setPen(Qt::NoPen);
    for (int i = 0; i < 4; ++i) {
        painter.setBrush(lines[i]);
        painter.drawRoundedRect(
            QRectF(12 * unit, (13 + i * 8.5) * unit, widths[i] * unit, 4 * unit), 2 * unit,
            2 * unit);
    }
    return image;
}

QIcon appIcon() {
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
        icon.addPixmap(QPixmap::fromImage(appIconImage(size)));
    }
    return icon;
}

}  // namespace ruv
