#include "controls/display/display_support.h"

#include "controls/common/basic_error.h"
#include "controls/common/ole_color.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace vsq::display {

using vsq::controls::BasicError;
using vsq::controls::ErrorNumber;

void invalidPropertyValue() {
    throw BasicError(ErrorNumber::InvalidPropertyValue);
}

void requireWithin(double value, double low, double high) {
    if (!(value >= low && value <= high)) {
        invalidPropertyValue();
    }
}

void requirePositive(double value) {
    if (!(value > 0)) {
        invalidPropertyValue();
    }
}

double snapped(double value, double min, double max, double step) {
    return std::clamp(min + std::round((value - min) / step) * step, min, max);
}

QColor drawColor(std::uint32_t ole) {
    return vsq::controls::colorFromOle(ole);
}

QString scaleText(double value) {
    if (std::abs(value - std::round(value)) < 1e-9) {
        return QString::number(static_cast<long long>(std::llround(value)));
    }
    return QString::number(value, 'g', 4);
}

void drawGroove(QPainter& painter, const QRectF& rect, const QPalette& palette,
                const QColor& fill) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    QPainterPath path;
    path.addRoundedRect(rect.adjusted(0.5, 0.5, -0.5, -0.5), 2, 2);
    painter.fillPath(path, fill);
    painter.setPen(QPen(palette.color(QPalette::Dark), 1));
    painter.drawPath(path);
    painter.restore();
}

void drawFocusFrame(QPainter& painter, const QRectF& rect, const QPalette& palette) {
    painter.save();
    QPen pen(palette.color(QPalette::Highlight), 1, Qt::DotLine);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect.adjusted(0.5, 0.5, -0.5, -0.5));
    painter.restore();
}

} // namespace vsq::display
