#include "controls/reginfo/bit_digit.h"

#include "controls/common/ole_color.h"

#include <QMouseEvent>

namespace mirelda {

BitDigit::BitDigit(const QString& name, int bit, QWidget* parent)
    : QLabel(QStringLiteral("0"), parent), bit_(bit) {
    setObjectName(name);
    setAlignment(Qt::AlignCenter);
    setCursor(Qt::PointingHandCursor);
}

void BitDigit::setForeColor(std::uint32_t colour) {
    foreColor_ = colour;
    QPalette shades = palette();
    shades.setColor(QPalette::WindowText, vsq::controls::colorFromOle(colour));
    setPalette(shades);
}

void BitDigit::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        emit clicked(bit_);
    }
}

} // namespace mirelda
