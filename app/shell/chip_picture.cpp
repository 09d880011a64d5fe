#include "app/shell/chip_picture.h"

#include <QPainter>
#include <QPainterPath>

namespace trelvane {

QPixmap chipPicture(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal unit = size / 16.0;

    // Pins on all four sides.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(196, 200, 206));
    for (int i = 0; i < 5; ++i) {
        const qreal along = unit * (4.0 + i * 2.0);
        painter.drawRect(QRectF(along - unit * 0.4, unit * 1.0, unit * 0.8, unit * 2.0));
        painter.drawRect(QRectF(along - unit * 0.4, unit * 13.0, unit * 0.8, unit * 2.0));
        painter.drawRect(QRectF(unit * 1.0, along - unit * 0.4, unit * 2.0, unit * 0.8));
        painter.drawRect(QRectF(unit * 13.0, along - unit * 0.4, unit * 2.0, unit * 0.8));
    }

    // The package, with its pin-1 mark and a hint of the die's name.
    const QRectF body(unit * 2.6, unit * 2.6, unit * 10.8, unit * 10.8);
    painter.setBrush(QColor(34, 38, 46));
    painter.setPen(QPen(QColor(90, 96, 108), unit * 0.25));
    painter.drawRoundedRect(body, unit * 0.8, unit * 0.8);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(230, 180, 60));
    painter.drawEllipse(QPointF(unit * 4.4, unit * 4.4), unit * 0.7, unit * 0.7);
    if (size >= 32) {
        QFont font;
        font.setPixelSize(qMax(6, int(unit * 2.0)));
        font.setBold(true);
        painter.setFont(font);
        painter.setPen(QColor(220, 224, 232));
        painter.drawText(body, Qt::AlignCenter, "VSQ\n5540");
    }
    return pixmap;
}

QIcon programIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64})
        icon.addPixmap(chipPicture(size));
    return icon;
}

} // namespace trelvane
