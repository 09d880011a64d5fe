#include "controls/display/gslider.h"

#include "controls/display/display_support.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <limits>

namespace vsq::display {

using vsq::controls::PropertyBag;
using vsq::controls::propertyMember;

namespace {

constexpr int kThumbLength = 11; // along the track
constexpr int kThumbBreadth = 20;
constexpr int kGroove = 4;
constexpr int kGap = 6;

} // namespace

struct GSlider::Geometry {
    QRectF title;
    QRectF caption;
    QRectF track; // the thumb's centre runs along its middle line
    bool vertical = false;

    double length() const { return vertical ? track.height() : track.width(); }
};

GSlider::GSlider(QWidget* parent) : DisplayControl(parent) {}

GSlider::~GSlider() = default;

void GSlider::setPosition(double position) {
    position_ = std::clamp(position, min_, max_);
    update();
    propertyChanged(QStringLiteral("Position"));
}

void GSlider::setCaption(const QString& caption) {
    caption_ = caption;
    update();
    propertyChanged(QStringLiteral("Caption"));
}

void GSlider::setStep(double step) {
    requirePositive(step);
    step_ = step;
    propertyChanged(QStringLiteral("Step"));
}

void GSlider::setLargeStep(double step) {
    requirePositive(step);
    largeStep_ = step;
    propertyChanged(QStringLiteral("LargeStep"));
}

void GSlider::setMin(double min) {
    min_ = min;
    max_ = std::max(max_, min_);
    position_ = std::clamp(position_, min_, max_);
    update();
    propertyChanged(QStringLiteral("Min"));
}

void GSlider::setMax(double max) {
    max_ = max;
    min_ = std::min(min_, max_);
    position_ = std::clamp(position_, min_, max_);
    update();
    propertyChanged(QStringLiteral("Max"));
}

void GSlider::setTitle(const QString& title) {
    title_ = title;
    updateGeometry();
    update();
    propertyChanged(QStringLiteral("Title"));
}

void GSlider::setOrientation(std::int16_t orientation) {
    requireWithin(orientation, 0, 1);
    orientation_ = orientation;
    updateGeometry();
    update();
    propertyChanged(QStringLiteral("Orientation"));
}

void GSlider::setTitleWidth(std::int32_t width) {
    requireWithin(width, 0, std::numeric_limits<std::int32_t>::max());
    titleWidth_ = width;
    updateGeometry();
    update();
    propertyChanged(QStringLiteral("TitleWidth"));
}

double GSlider::titleSpace(const QFontMetrics& metrics) const {
    if (title_.isEmpty() && titleWidth_ == 0)
        return 0;
    return std::max(metrics.horizontalAdvance(title_), titleWidth_) + kGap;
}

QSize GSlider::sizeHint() const {
    const QFontMetrics metrics(font());
    const int captionWidth = metrics.horizontalAdvance(QStringLiteral("-00.000"));
    if (orientation_ == 1) {
        const int titleWidth = metrics.horizontalAdvance(title_);
        return {std::max({titleWidth, captionWidth, kThumbBreadth}) + 4,
                160 + 2 * metrics.height()};
    }
    return {static_cast<int>(titleSpace(metrics)) + 160 + captionWidth + kGap,
            std::max(kThumbBreadth + 4, metrics.height() + 4)};
}

GSlider::Geometry GSlider::geometry() const {
    Geometry g;
    const QFontMetrics metrics(font());
    const QRectF area = QRectF(rect()).adjusted(2, 2, -2, -2);
    const double captionWidth = std::max(metrics.horizontalAdvance(caption_),
                                         metrics.horizontalAdvance(QStringLiteral("-00.000")));
    if (orientation_ == 1) {
        g.vertical = true;
        const double line = metrics.height();
        g.title = title_.isEmpty() ? QRectF(area.left(), area.top(), area.width(), 0)
                                   : QRectF(area.left(), area.top(), area.width(), line);
        g.caption = QRectF(area.left(), area.bottom() - line, area.width(), line);
        const double top = g.title.bottom() + (title_.isEmpty() ? 0 : 4) + kThumbLength / 2.0;
        const double bottom = g.caption.top() - 4 - kThumbLength / 2.0;
        g.track = QRectF(area.center().x() - kThumbBreadth / 2.0, top, kThumbBreadth,
                         std::max(1.0, bottom - top));
        return g;
    }
    const double space = titleSpace(metrics);
    g.title = QRectF(area.left(), area.top(), std::max(0.0, space - kGap), area.height());
    g.caption = QRectF(area.right() - captionWidth, area.top(), captionWidth, area.height());
    const double left = area.left() + space + kThumbLength / 2.0;
    const double right = g.caption.left() - kGap - kThumbLength / 2.0;
    g.track = QRectF(left, area.center().y() - kThumbBreadth / 2.0, std::max(1.0, right - left),
                     kThumbBreadth);
    return g;
}

QPointF GSlider::thumbCentre(double position) const {
    const Geometry g = geometry();
    const double span = max_ - min_;
    const double fraction = span > 0 ? (std::clamp(position, min_, max_) - min_) / span : 0;
    return g.vertical
               ? QPointF(g.track.center().x(), g.track.bottom() - fraction * g.track.height())
               : QPointF(g.track.left() + fraction * g.track.width(), g.track.center().y());
}

double GSlider::positionAt(const QPoint& point) const {
    const Geometry g = geometry();
    double fraction = g.vertical ? (g.track.bottom() - point.y()) / g.track.height()
                                 : (point.x() - g.track.left()) / g.track.width();
    fraction = std::clamp(fraction, 0.0, 1.0);
    return min_ + fraction * (max_ - min_);
}

bool GSlider::moveByUser(double position) {
    const double target = snapped(position, min_, max_, step_);
    if (target == position_) {
        return false;
    }
    position_ = target;
    update();
    propertyChanged(QStringLiteral("Position"));
    emit Moving();
    return true;
}

void GSlider::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    const Geometry g = geometry();
    const double span = max_ - min_;
    const QPointF centre = thumbCentre(position_);
    const QPointF at = event->position();
    const double along = g.vertical ? centre.y() - at.y() : at.x() - centre.x();
    const double across = g.vertical ? at.x() - centre.x() : at.y() - centre.y();
    dragging_ = true;
    movedInGesture_ = false;
    if (std::abs(along) <= kThumbLength / 2.0 + 1 && std::abs(across) <= kThumbBreadth / 2.0 + 1) {
        // Grabbed the thumb: it keeps its offset to the mouse.
        grabOffset_ = (g.length() > 0 ? along / g.length() : 0) * span;
        return;
    }
    grabOffset_ = 0;
    movedInGesture_ = moveByUser(positionAt(at.toPoint()));
}

void GSlider::mouseMoveEvent(QMouseEvent* event) {
    if (!dragging_) {
        return;
    }
    if (moveByUser(positionAt(event->position().toPoint()) - grabOffset_)) {
        movedInGesture_ = true;
    }
}

void GSlider::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !dragging_) {
        return;
    }
    dragging_ = false;
    if (movedInGesture_) {
        movedInGesture_ = false;
        emit Moved();
    }
}

void GSlider::wheelEvent(QWheelEvent* event) {
    const int notches = event->angleDelta().y() / 120;
    if (notches != 0 && moveByUser(position_ + notches * step_)) {
        emit Moved();
    }
    event->accept();
}

void GSlider::keyPressEvent(QKeyEvent* event) {
    double target = position_;
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Down:
        target -= step_;
        break;
    case Qt::Key_Right:
    case Qt::Key_Up:
        target += step_;
        break;
    case Qt::Key_PageDown:
        target -= largeStep_;
        break;
    case Qt::Key_PageUp:
        target += largeStep_;
        break;
    case Qt::Key_Home:
        target = min_;
        break;
    case Qt::Key_End:
        target = max_;
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    if (moveByUser(target)) {
        emit Moved();
    }
}

void GSlider::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QPalette& pal = palette();
    const Geometry g = geometry();
    const bool enabled = isEnabled();
    const QColor text =
        pal.color(enabled ? QPalette::Active : QPalette::Disabled, QPalette::WindowText);

    painter.setPen(text);
    if (!title_.isEmpty()) {
        painter.drawText(
            g.title, (g.vertical ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter, title_);
    }
    QFont captionFont = font();
    captionFont.setBold(true);
    painter.setFont(captionFont);
    painter.drawText(g.caption, (g.vertical ? Qt::AlignHCenter : Qt::AlignRight) | Qt::AlignVCenter,
                     caption_);
    painter.setFont(font());

    const double span = max_ - min_;
    const double fraction = span > 0 ? (position_ - min_) / span : 0;
    QRectF groove;
    QRectF filled;
    QPointF centre;
    if (g.vertical) {
        groove = QRectF(g.track.center().x() - kGroove / 2.0, g.track.top() - 2, kGroove,
                        g.track.height() + 4);
        centre = QPointF(g.track.center().x(), g.track.bottom() - fraction * g.track.height());
        filled = QRectF(groove.left(), centre.y(), kGroove, groove.bottom() - centre.y());
    } else {
        groove = QRectF(g.track.left() - 2, g.track.center().y() - kGroove / 2.0,
                        g.track.width() + 4, kGroove);
        centre = QPointF(g.track.left() + fraction * g.track.width(), g.track.center().y());
        filled = QRectF(groove.left(), groove.top(), centre.x() - groove.left(), kGroove);
    }
    drawGroove(painter, groove, pal, pal.color(QPalette::Base));
    painter.fillRect(filled.adjusted(1, 1, 0, -1),
                     enabled ? pal.color(QPalette::Highlight) : pal.color(QPalette::Mid));

    // End ticks on the far side of the groove.
    painter.setPen(pal.color(QPalette::Mid));
    for (int i = 0; i <= 10; ++i) {
        const double t = i / 10.0;
        const double tick = i % 5 == 0 ? 4 : 2;
        if (g.vertical) {
            const double y = std::round(g.track.bottom() - t * g.track.height()) + 0.5;
            painter.drawLine(QPointF(g.track.right() - tick, y), QPointF(g.track.right(), y));
        } else {
            const double x = std::round(g.track.left() + t * g.track.width()) + 0.5;
            painter.drawLine(QPointF(x, g.track.bottom() - tick), QPointF(x, g.track.bottom()));
        }
    }

    // The thumb: a raised, rounded handle.
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QSizeF thumb = g.vertical ? QSizeF(kThumbBreadth - 4, kThumbLength)
                                    : QSizeF(kThumbLength, kThumbBreadth - 4);
    QRectF thumbRect(QPointF(0, 0), thumb);
    thumbRect.moveCenter(QPointF(std::round(centre.x()) + 0.5, std::round(centre.y()) + 0.5));
    QLinearGradient shade(thumbRect.topLeft(),
                          g.vertical ? thumbRect.topRight() : thumbRect.bottomLeft());
    shade.setColorAt(0, pal.color(QPalette::Button).lighter(112));
    shade.setColorAt(1, pal.color(QPalette::Button).darker(108));
    painter.setBrush(shade);
    painter.setPen(QPen(
        hasFocus() ? pal.color(QPalette::Highlight) : pal.color(QPalette::Shadow).lighter(160), 1));
    painter.drawRoundedRect(thumbRect, 2, 2);
    painter.setPen(QPen(pal.color(QPalette::Dark), 1));
    if (g.vertical) {
        painter.drawLine(QPointF(thumbRect.left() + 3, thumbRect.center().y()),
                         QPointF(thumbRect.right() - 3, thumbRect.center().y()));
    } else {
        painter.drawLine(QPointF(thumbRect.center().x(), thumbRect.top() + 3),
                         QPointF(thumbRect.center().x(), thumbRect.bottom() - 3));
    }
}

const vsq::controls::MemberTable& GSlider::memberTable() const {
    static const vsq::controls::MemberTable table{
        propertyMember("Position", 45, &GSlider::Position, &GSlider::setPosition),
        propertyMember("Caption", -518, &GSlider::Caption, &GSlider::setCaption),
        propertyMember("Step", 60, &GSlider::Step, &GSlider::setStep),
        propertyMember("Min", 200, &GSlider::Min, &GSlider::setMin),
        propertyMember("Max", 201, &GSlider::Max, &GSlider::setMax),
        propertyMember("Title", 202, &GSlider::Title, &GSlider::setTitle),
        propertyMember("Orientation", 203, &GSlider::Orientation, &GSlider::setOrientation),
        propertyMember("ToolTipText", 204, &GSlider::ToolTipText, &GSlider::setToolTipText),
        propertyMember("LargeStep", 205, &GSlider::LargeStep, &GSlider::setLargeStep),
        propertyMember("TitleWidth", 206, &GSlider::TitleWidth, &GSlider::setTitleWidth),
    };
    return table;
}

void GSlider::readProperties(const PropertyBag& bag) {
    min_ = bag.read<double>("Min", 0);
    max_ = std::max(min_, bag.read<double>("Max", 100));
    position_ = std::clamp(bag.read<double>("Position", 0), min_, max_);
    caption_ = bag.read<QString>("Caption", QString());
    const double step = bag.read<double>("Step", 1);
    step_ = step > 0 ? step : 1;
    const double largeStep = bag.read<double>("LargeStep", 10);
    largeStep_ = largeStep > 0 ? largeStep : 10;
    title_ = bag.read<QString>("Title", QString());
    titleWidth_ = std::max(0, bag.read<std::int32_t>("TitleWidth", 0));
    orientation_ = bag.read<std::int16_t>("Orientation", 0) == 1 ? 1 : 0;
    readToolTipText(bag);
    updateGeometry();
    update();
}

void GSlider::writeProperties(PropertyBag& bag) {
    bag.write<double>("Position", position_, 0);
    bag.write<QString>("Caption", caption_, QString());
    bag.write<double>("Step", step_, 1);
    bag.write<double>("Min", min_, 0);
    bag.write<double>("Max", max_, 100);
    bag.write<QString>("Title", title_, QString());
    bag.write<std::int32_t>("TitleWidth", titleWidth_, 0);
    bag.write<std::int16_t>("Orientation", orientation_, 0);
    writeToolTipText(bag);
    bag.write<double>("LargeStep", largeStep_, 10);
}

} // namespace vsq::display
