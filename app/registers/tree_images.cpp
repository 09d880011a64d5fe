#include "app/registers/tree_images.h"

#include <QPainter>
#include <QPixmap>

namespace trelvane {
namespace {

constexpr int kSide = 16;

void drawChip(QPainter& p) {
    p.setPen(QColor(90, 90, 90));
    for (int x = 4; x <= 11; x += 3) {
        p.drawLine(x, 1, x, 3);
        p.drawLine(x, 12, x, 14);
    }
    p.setBrush(QColor(40, 40, 40));
    p.drawRect(2, 3, 11, 9);
    p.setPen(QColor(200, 200, 200));
    p.drawPoint(4, 5);
}

void drawDesktop(QPainter& p) {
    p.setPen(QColor(60, 60, 60));
    p.setBrush(QColor(0, 96, 160));
    p.drawRect(1, 2, 13, 9);
    p.setBrush(QColor(120, 120, 120));
    p.drawRect(6, 11, 3, 2);
    p.drawRect(3, 13, 9, 1);
}

void drawFolder(QPainter& p) {
    p.setPen(QColor(150, 110, 20));
    p.setBrush(QColor(240, 200, 80));
    p.drawRect(1, 3, 5, 2);
    p.drawRect(1, 5, 13, 8);
}

void drawReadWrite(QPainter& p) {
    p.setPen(QPen(QColor(0, 0, 160), 1.5));
    p.drawLine(2, 5, 12, 5);
    p.drawLine(9, 2, 12, 5);
    p.setPen(QPen(QColor(160, 0, 0), 1.5));
    p.drawLine(3, 11, 13, 11);
    p.drawLine(3, 11, 6, 14);
}

} // namespace

QIcon RegisterTreeImage(NodeImage image) {
    QPixmap picture(kSide, kSide);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing, image == NodeImage::ReadWrite);
    switch (image) {
    case NodeImage::Chip:
        drawChip(painter);
        break;
    case NodeImage::Desktop:
        drawDesktop(painter);
        break;
    case NodeImage::Folder:
        drawFolder(painter);
        break;
    case NodeImage::ReadWrite:
        drawReadWrite(painter);
        break;
    }
    painter.end();
    return QIcon(picture);
}

} // namespace trelvane
