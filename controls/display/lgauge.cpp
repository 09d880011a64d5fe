#include "controls/display/lgauge.h"

#include "controls/display/display_support.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace vsq::display {

using vsq::controls::PropertyBag;
using vsq::controls::propertyMember;

namespace {

constexpr int kMaxItems = 16;
constexpr double kMarkerHeight = 9;
constexpr double kMarkerHalfWidth = 6;
constexpr double kTick = 4;
constexpr double kGrabDistance = 7;
constexpr double kMinTrack = 16;

// A tick interval of 1, 2 or 5 times a power of ten giving about `count` ticks.
double niceInterval(double span, int count) {
    if (!(span > 0) || count < 1) {
        return 1;
    }
    const double raw = span / count;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (const double m : {1.0, 2.0, 5.0, 10.0}) {
        if (raw <= m * power) {
            return m * power;
        }
    }
    return 10 * power;
}

} // namespace

struct LGauge::Geometry {
    QRectF caption; // empty when the caption is drawn over the track
    QRectF track;   // the bands' area; markers stand above and below it
    double labelTop = 0;
    double lineHeight = 0;
};

LGauge::LGauge(QWidget* parent) : DisplayControl(parent), pointers_(1) {}

LGauge::~LGauge() = default;

LGauge::Pointer& LGauge::pointer() {
    if (pointers_.empty()) {
        invalidPropertyValue();
    }
    return pointers_[static_cast<std::size_t>(pointerIndex_)];
}
const LGauge::Pointer& LGauge::pointer() const {
    if (pointers_.empty()) {
        invalidPropertyValue();
    }
    return pointers_[static_cast<std::size_t>(pointerIndex_)];
}
LGauge::Band& LGauge::band() {
    if (bands_.empty()) {
        invalidPropertyValue();
    }
    return bands_[static_cast<std::size_t>(bandIndex_)];
}
const LGauge::Band& LGauge::band() const {
    if (bands_.empty()) {
        invalidPropertyValue();
    }
    return bands_[static_cast<std::size_t>(bandIndex_)];
}

double LGauge::clamped(double value) const {
    return std::clamp(value, min_, max_);
}

void LGauge::clampAll() {
    for (Pointer& p : pointers_) {
        p.value = clamped(p.value);
        p.lower = clamped(p.lower);
        p.upper = clamped(p.upper);
    }
    for (Band& b : bands_) {
        b.lower = clamped(b.lower);
        b.upper = clamped(b.upper);
    }
}

void LGauge::setBandIndex(std::int16_t index) {
    requireWithin(index, 0, std::max<int>(0, static_cast<int>(bands_.size()) - 1));
    bandIndex_ = index;
    propertyChanged(QStringLiteral("BandIndex"));
}

double LGauge::BandLowerEnd() const {
    return band().lower;
}
void LGauge::setBandLowerEnd(double value) {
    band().lower = clamped(value);
    update();
    propertyChanged(QStringLiteral("BandLowerEnd"));
}

double LGauge::BandUpperEnd() const {
    return band().upper;
}
void LGauge::setBandUpperEnd(double value) {
    band().upper = clamped(value);
    update();
    propertyChanged(QStringLiteral("BandUpperEnd"));
}

void LGauge::setPointerIndex(std::int16_t index) {
    requireWithin(index, 0, std::max<int>(0, static_cast<int>(pointers_.size()) - 1));
    pointerIndex_ = index;
    propertyChanged(QStringLiteral("PointerIndex"));
}

double LGauge::PointerLowerEnd() const {
    return pointer().lower;
}
void LGauge::setPointerLowerEnd(double value) {
    pointer().lower = clamped(value);
    update();
    propertyChanged(QStringLiteral("PointerLowerEnd"));
}

double LGauge::PointerUpperEnd() const {
    return pointer().upper;
}
void LGauge::setPointerUpperEnd(double value) {
    pointer().upper = clamped(value);
    update();
    propertyChanged(QStringLiteral("PointerUpperEnd"));
}

double LGauge::PointerValue() const {
    return pointer().value;
}
void LGauge::setPointerValue(double value) {
    pointer().value = clamped(value);
    update();
    propertyChanged(QStringLiteral("PointerValue"));
}

void LGauge::setCaption(const QString& caption) {
    caption_ = caption;
    update();
    propertyChanged(QStringLiteral("Caption"));
}

void LGauge::setMin(double min) {
    min_ = min;
    max_ = std::max(max_, min_);
    clampAll();
    update();
    propertyChanged(QStringLiteral("Min"));
}

void LGauge::setMax(double max) {
    max_ = max;
    min_ = std::min(min_, max_);
    clampAll();
    update();
    propertyChanged(QStringLiteral("Max"));
}

std::int16_t LGauge::PointerCount() const {
    return static_cast<std::int16_t>(pointers_.size());
}
void LGauge::setPointerCount(std::int16_t count) {
    requireWithin(count, 0, kMaxItems);
    Pointer fresh;
    fresh.value = fresh.lower = fresh.upper = min_;
    pointers_.resize(static_cast<std::size_t>(count), fresh);
    pointerIndex_ = static_cast<std::int16_t>(std::min<int>(pointerIndex_, std::max(0, count - 1)));
    if (grabbed_ >= count) {
        grabbed_ = -1; // the pointer a drag held is gone: the drag ends
    }
    update();
    propertyChanged(QStringLiteral("PointerCount"));
}

std::int16_t LGauge::PointerStyle() const {
    return pointer().style;
}
void LGauge::setPointerStyle(std::int16_t style) {
    requireWithin(style, MarkerAbove, BandPointer);
    pointer().style = style;
    update();
    propertyChanged(QStringLiteral("PointerStyle"));
}

std::uint32_t LGauge::PointerColor() const {
    return pointer().color;
}
void LGauge::setPointerColor(std::uint32_t color) {
    drawColor(color); // refuses what is no colour
    pointer().color = color;
    update();
    propertyChanged(QStringLiteral("PointerColor"));
}

std::int16_t LGauge::BandCount() const {
    return static_cast<std::int16_t>(bands_.size());
}
void LGauge::setBandCount(std::int16_t count) {
    requireWithin(count, 0, kMaxItems);
    Band fresh;
    fresh.lower = min_;
    fresh.upper = max_;
    bands_.resize(static_cast<std::size_t>(count), fresh);
    bandIndex_ = static_cast<std::int16_t>(std::min<int>(bandIndex_, std::max(0, count - 1)));
    update();
    propertyChanged(QStringLiteral("BandCount"));
}

std::uint32_t LGauge::BandColor() const {
    return band().color;
}
void LGauge::setBandColor(std::uint32_t color) {
    drawColor(color);
    band().color = color;
    update();
    propertyChanged(QStringLiteral("BandColor"));
}

std::int16_t LGauge::BandTop() const {
    return band().top;
}
void LGauge::setBandTop(std::int16_t percent) {
    requireWithin(percent, 0, 100);
    band().top = percent;
    update();
    propertyChanged(QStringLiteral("BandTop"));
}

std::int16_t LGauge::BandHeight() const {
    return band().height;
}
void LGauge::setBandHeight(std::int16_t percent) {
    requireWithin(percent, 0, 100);
    band().height = percent;
    update();
    propertyChanged(QStringLiteral("BandHeight"));
}

void LGauge::setLocked(bool locked) {
    locked_ = locked;
    setCursor(locked ? Qt::ArrowCursor : Qt::PointingHandCursor);
    propertyChanged(QStringLiteral("Locked"));
}

void LGauge::setStep(double step) {
    requirePositive(step);
    step_ = step;
    propertyChanged(QStringLiteral("Step"));
}

QSize LGauge::sizeHint() const {
    const QFontMetrics metrics(font());
    return {260, static_cast<int>(2 * metrics.height() + 2 * kMarkerHeight + 24 + kTick + 4)};
}

LGauge::Geometry LGauge::geometry() const {
    Geometry g;
    const QFontMetrics metrics(font());
    g.lineHeight = metrics.height();
    const double side = std::max<double>({kMarkerHalfWidth + 2,
                                          metrics.horizontalAdvance(scaleText(min_)) / 2.0 + 2,
                                          metrics.horizontalAdvance(scaleText(max_)) / 2.0 + 2});
    // The caption has a line of its own when the gauge is tall enough.
    const bool captionRow =
        height() >= 2 * g.lineHeight + 2 * kMarkerHeight + kMinTrack + kTick + 3;
    if (captionRow) {
        g.caption = QRectF(0, 1, width(), g.lineHeight);
    }
    const double top = 1 + (captionRow ? g.lineHeight + 1 : 0) + kMarkerHeight;
    const double bottom = height() - 1 - g.lineHeight - kTick - kMarkerHeight;
    g.track = QRectF(side, top, std::max(1.0, width() - 2 * side), std::max(4.0, bottom - top));
    g.labelTop = g.track.bottom() + kMarkerHeight + kTick;
    return g;
}

double LGauge::xForValue(double value) const {
    const Geometry g = geometry();
    const double span = max_ - min_;
    return g.track.left() + (span > 0 ? (clamped(value) - min_) / span : 0) * g.track.width();
}

QPointF LGauge::grip(int index) const {
    const Geometry g = geometry();
    const Pointer& p = pointers_.at(static_cast<std::size_t>(index));
    switch (p.style) {
    case MarkerAbove:
        return {xForValue(p.value), g.track.top() - kMarkerHeight / 2};
    case MarkerBelow:
        return {xForValue(p.value), g.track.bottom() + kMarkerHeight / 2};
    default:
        return {(xForValue(p.lower) + xForValue(p.upper)) / 2, g.track.center().y()};
    }
}

double LGauge::valueAt(double x) const {
    const Geometry g = geometry();
    const double fraction = std::clamp((x - g.track.left()) / g.track.width(), 0.0, 1.0);
    return min_ + fraction * (max_ - min_);
}

int LGauge::pointerAt(const QPointF& point) const {
    const Geometry g = geometry();
    const double span = max_ - min_;
    auto xOf = [&](double v) {
        return g.track.left() + (span > 0 ? (v - min_) / span : 0) * g.track.width();
    };
    const bool upperHalf = point.y() < g.track.center().y();
    int best = -1;
    double bestScore = 0;
    for (std::size_t i = 0; i < pointers_.size(); ++i) {
        const Pointer& p = pointers_[i];
        if (p.style == BandPointer) {
            continue;
        }
        const double dx = std::abs(point.x() - xOf(p.value));
        if (dx > kGrabDistance) {
            continue;
        }
        // A marker on the side of the click wins over one on the other side.
        const double score = dx + ((p.style == MarkerAbove) == upperHalf ? 0 : kGrabDistance);
        if (best < 0 || score < bestScore) {
            best = static_cast<int>(i);
            bestScore = score;
        }
    }
    if (best >= 0) {
        return best;
    }
    if (point.y() < g.track.top() || point.y() > g.track.bottom()) {
        return -1;
    }
    for (std::size_t i = pointers_.size(); i-- > 0;) {
        const Pointer& p = pointers_[i];
        if (p.style == BandPointer && point.x() >= xOf(std::min(p.lower, p.upper)) - 2 &&
            point.x() <= xOf(std::max(p.lower, p.upper)) + 2) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

bool LGauge::moveByUser(int index, double target) {
    Pointer& p = pointers_[static_cast<std::size_t>(index)];
    double to = snapped(target, min_, max_, step_);
    if (p.style == BandPointer) {
        const double width = p.upper - p.lower;
        to = std::clamp(to, min_ - std::min(0.0, width), max_ - std::max(0.0, width));
        if (to == p.lower) {
            return false;
        }
        p.lower = to;
        p.upper = to + width;
    } else {
        if (to == p.value) {
            return false;
        }
        p.value = to;
    }
    update();
    pointerIndex_ = static_cast<std::int16_t>(index);
    emit PointerMoving();
    return true;
}

int LGauge::keyPointer() const {
    return std::min(lastGrabbed_, static_cast<int>(pointers_.size()) - 1);
}

void LGauge::raisePointerMoved(int index) {
    pointerIndex_ = static_cast<std::int16_t>(index);
    emit PointerMoved();
}

void LGauge::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || locked_) {
        return;
    }
    const int index = pointerAt(event->position());
    if (index < 0) {
        return;
    }
    grabbed_ = index;
    lastGrabbed_ = index;
    movedInGesture_ = false;
    pointerIndex_ = static_cast<std::int16_t>(index);
    const Pointer& p = pointers_[static_cast<std::size_t>(index)];
    const double at = valueAt(event->position().x());
    grabOffset_ = at - (p.style == BandPointer ? p.lower : p.value);
    update();
}

void LGauge::mouseMoveEvent(QMouseEvent* event) {
    if (grabbed_ < 0) {
        return;
    }
    if (moveByUser(grabbed_, valueAt(event->position().x()) - grabOffset_)) {
        movedInGesture_ = true;
    }
}

void LGauge::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || grabbed_ < 0) {
        return;
    }
    const int index = grabbed_;
    grabbed_ = -1;
    update();
    if (movedInGesture_) {
        movedInGesture_ = false;
        raisePointerMoved(index);
    }
}

void LGauge::wheelEvent(QWheelEvent* event) {
    event->accept();
    const int notches = event->angleDelta().y() / 120;
    if (locked_ || notches == 0 || pointers_.empty()) {
        return;
    }
    const int index = keyPointer();
    const Pointer& p = pointers_[static_cast<std::size_t>(index)];
    const double from = p.style == BandPointer ? p.lower : p.value;
    if (moveByUser(index, from + notches * step_)) {
        raisePointerMoved(index);
    }
}

void LGauge::keyPressEvent(QKeyEvent* event) {
    double steps = 0;
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Down:
        steps = -1;
        break;
    case Qt::Key_Right:
    case Qt::Key_Up:
        steps = 1;
        break;
    case Qt::Key_PageDown:
        steps = -10;
        break;
    case Qt::Key_PageUp:
        steps = 10;
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    if (locked_ || pointers_.empty()) {
        return;
    }
    const int index = keyPointer();
    const Pointer& p = pointers_[static_cast<std::size_t>(index)];
    const double from = p.style == BandPointer ? p.lower : p.value;
    if (moveByUser(index, from + steps * step_)) {
        raisePointerMoved(index);
    }
}

void LGauge::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QPalette& pal = palette();
    const Geometry g = geometry();
    const bool enabled = isEnabled();
    const double span = max_ - min_;
    auto xOf = [&](double v) {
        return g.track.left() + (span > 0 ? (v - min_) / span : 0) * g.track.width();
    };
    auto dim = [&](QColor c) {
        return enabled ? c : QColor::fromHsv(c.hsvHue(), c.hsvSaturation() / 4, c.value());
    };

    drawGroove(painter, g.track, pal, pal.color(QPalette::Base));
    const QRectF inner = g.track.adjusted(1, 1, -1, -1);

    // Bands, behind everything else.
    for (const Band& b : bands_) {
        const double left = xOf(std::min(b.lower, b.upper));
        const double right = xOf(std::max(b.lower, b.upper));
        const double top = inner.top() + inner.height() * b.top / 100.0;
        const double h = inner.height() * std::min<int>(b.height, 100 - b.top) / 100.0;
        painter.fillRect(QRectF(left, top, right - left, h).intersected(inner),
                         dim(drawColor(b.color)));
    }

    // Scale: ticks below the track and their values.
    const QFontMetrics metrics(font());
    const int wanted = std::max(
        2, static_cast<int>(g.track.width() /
                            std::max(40, metrics.horizontalAdvance(scaleText(max_)) + 16)));
    const double interval = niceInterval(span, wanted);
    painter.setPen(pal.color(QPalette::Dark));
    const double first = std::ceil(min_ / interval) * interval;
    for (double v = first; v <= max_ + interval * 1e-9; v += interval) {
        const double x = std::round(xOf(v)) + 0.5;
        painter.drawLine(QPointF(x, g.track.bottom() + kMarkerHeight),
                         QPointF(x, g.track.bottom() + kMarkerHeight + kTick));
    }
    painter.setPen(
        pal.color(enabled ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    double lastRight = -1e9;
    for (double v = first; v <= max_ + interval * 1e-9; v += interval) {
        const QString text = scaleText(std::abs(v) < interval * 1e-9 ? 0 : v);
        const double w = metrics.horizontalAdvance(text);
        const QRectF box(xOf(v) - w / 2, g.labelTop, w, g.lineHeight);
        if (box.left() < lastRight + 6) {
            continue;
        }
        painter.drawText(box, Qt::AlignCenter, text);
        lastRight = box.right();
    }

    // Pointers: bands first, markers on top.
    painter.setRenderHint(QPainter::Antialiasing, true);
    for (const Pointer& p : pointers_) {
        if (p.style != BandPointer) {
            continue;
        }
        QColor c = dim(drawColor(p.color));
        const double left = xOf(std::min(p.lower, p.upper));
        const double right = xOf(std::max(p.lower, p.upper));
        const QRectF body(left, inner.top() + inner.height() * 0.3, right - left,
                          inner.height() * 0.4);
        QColor fill = c;
        fill.setAlpha(90);
        painter.fillRect(body, fill);
        painter.setPen(QPen(c, 1.5));
        painter.drawLine(QPointF(left, body.top()), QPointF(left, body.bottom()));
        painter.drawLine(QPointF(right, body.top()), QPointF(right, body.bottom()));
    }
    for (std::size_t i = 0; i < pointers_.size(); ++i) {
        const Pointer& p = pointers_[i];
        if (p.style == BandPointer) {
            continue;
        }
        const QColor c = dim(drawColor(p.color));
        const double x = std::round(xOf(p.value)) + 0.5;
        painter.setPen(QPen(c, 1));
        painter.drawLine(QPointF(x, inner.top()), QPointF(x, inner.bottom()));
        QPainterPath triangle;
        if (p.style == MarkerAbove) {
            const double tip = g.track.top();
            triangle.moveTo(x, tip);
            triangle.lineTo(x - kMarkerHalfWidth, tip - kMarkerHeight);
            triangle.lineTo(x + kMarkerHalfWidth, tip - kMarkerHeight);
        } else {
            const double tip = g.track.bottom();
            triangle.moveTo(x, tip);
            triangle.lineTo(x - kMarkerHalfWidth, tip + kMarkerHeight);
            triangle.lineTo(x + kMarkerHalfWidth, tip + kMarkerHeight);
        }
        triangle.closeSubpath();
        const bool current = hasFocus() && static_cast<int>(i) == keyPointer();
        painter.setBrush(c);
        painter.setPen(
            QPen(current ? pal.color(QPalette::Highlight) : c.darker(140), current ? 1.5 : 1));
        painter.drawPath(triangle);
    }
    painter.setRenderHint(QPainter::Antialiasing, false);

    if (!caption_.isEmpty()) {
        QFont bold = font();
        bold.setBold(true);
        painter.setFont(bold);
        const QFontMetrics boldMetrics(bold);
        const QColor ink = enabled ? QColor(0xA0, 0x10, 0x10)
                                   : pal.color(QPalette::Disabled, QPalette::WindowText);
        painter.setPen(ink);
        if (!g.caption.isEmpty()) {
            painter.drawText(g.caption, Qt::AlignCenter,
                             boldMetrics.elidedText(caption_, Qt::ElideRight, width()));
        } else {
            // No room above: over the track, on a veil of the paper colour.
            const double w =
                std::min<double>(boldMetrics.horizontalAdvance(caption_) + 8, inner.width());
            const QRectF box(inner.center().x() - w / 2,
                             inner.center().y() - boldMetrics.height() / 2.0 - 1, w,
                             boldMetrics.height() + 2);
            QColor veil = pal.color(QPalette::Base);
            veil.setAlpha(220);
            painter.fillRect(box, veil);
            painter.drawText(box, Qt::AlignCenter,
                             boldMetrics.elidedText(caption_, Qt::ElideRight, static_cast<int>(w)));
        }
    }
}

const vsq::controls::MemberTable& LGauge::memberTable() const {
    static const vsq::controls::MemberTable table{
        propertyMember("BandIndex", 3, &LGauge::BandIndex, &LGauge::setBandIndex),
        propertyMember("BandLowerEnd", 10, &LGauge::BandLowerEnd, &LGauge::setBandLowerEnd),
        propertyMember("BandUpperEnd", 11, &LGauge::BandUpperEnd, &LGauge::setBandUpperEnd),
        propertyMember("PointerIndex", 38, &LGauge::PointerIndex, &LGauge::setPointerIndex),
        propertyMember("PointerLowerEnd", 47, &LGauge::PointerLowerEnd,
                       &LGauge::setPointerLowerEnd),
        propertyMember("PointerUpperEnd", 48, &LGauge::PointerUpperEnd,
                       &LGauge::setPointerUpperEnd),
        propertyMember("PointerValue", 51, &LGauge::PointerValue, &LGauge::setPointerValue),
        propertyMember("Caption", -518, &LGauge::Caption, &LGauge::setCaption),
        propertyMember("Min", 200, &LGauge::Min, &LGauge::setMin),
        propertyMember("Max", 201, &LGauge::Max, &LGauge::setMax),
        propertyMember("PointerCount", 202, &LGauge::PointerCount, &LGauge::setPointerCount),
        propertyMember("PointerStyle", 203, &LGauge::PointerStyle, &LGauge::setPointerStyle),
        propertyMember("PointerColor", 204, &LGauge::PointerColor, &LGauge::setPointerColor),
        propertyMember("BandCount", 205, &LGauge::BandCount, &LGauge::setBandCount),
        propertyMember("BandColor", 206, &LGauge::BandColor, &LGauge::setBandColor),
        propertyMember("BandTop", 207, &LGauge::BandTop, &LGauge::setBandTop),
        propertyMember("BandHeight", 208, &LGauge::BandHeight, &LGauge::setBandHeight),
        propertyMember("Locked", 209, &LGauge::Locked, &LGauge::setLocked),
        propertyMember("ToolTipText", 210, &LGauge::ToolTipText, &LGauge::setToolTipText),
        propertyMember("Step", 211, &LGauge::Step, &LGauge::setStep),
    };
    return table;
}

void LGauge::readProperties(const PropertyBag& bag) {
    min_ = bag.read<double>("Min", 0);
    max_ = std::max(min_, bag.read<double>("Max", 100));
    caption_ = bag.read<QString>("Caption", QString());
    locked_ = bag.read<bool>("Locked", false);
    readToolTipText(bag);
    const double step = bag.read<double>("Step", 1);
    step_ = step > 0 ? step : 1;
    const int pointers = std::clamp<int>(bag.read<std::int16_t>("PointerCount", 1), 0, kMaxItems);
    pointers_.assign(static_cast<std::size_t>(pointers), Pointer{});
    for (int i = 0; i < pointers; ++i) {
        Pointer& p = pointers_[static_cast<std::size_t>(i)];
        const QString key = QStringLiteral("Pointer%1").arg(i);
        p.value = bag.read<double>(key + "Value", min_);
        p.lower = bag.read<double>(key + "Lower", min_);
        p.upper = bag.read<double>(key + "Upper", min_);
        p.style = static_cast<std::int16_t>(std::clamp<int>(
            bag.read<std::int16_t>(key + "Style", MarkerAbove), MarkerAbove, BandPointer));
        p.color = static_cast<std::uint32_t>(bag.read<std::int32_t>(key + "Color", 0x800000));
    }
    const int bands = std::clamp<int>(bag.read<std::int16_t>("BandCount", 0), 0, kMaxItems);
    bands_.assign(static_cast<std::size_t>(bands), Band{});
    for (int i = 0; i < bands; ++i) {
        Band& b = bands_[static_cast<std::size_t>(i)];
        const QString key = QStringLiteral("Band%1").arg(i);
        b.lower = bag.read<double>(key + "Lower", min_);
        b.upper = bag.read<double>(key + "Upper", max_);
        b.color = static_cast<std::uint32_t>(bag.read<std::int32_t>(key + "Color", 0xC0C0C0));
        b.top = static_cast<std::int16_t>(
            std::clamp<int>(bag.read<std::int16_t>(key + "Top", 0), 0, 100));
        b.height = static_cast<std::int16_t>(
            std::clamp<int>(bag.read<std::int16_t>(key + "Height", 100), 0, 100));
    }
    pointerIndex_ = 0;
    bandIndex_ = 0;
    grabbed_ = -1; // every pointer is a new one
    clampAll();
    update();
}

void LGauge::writeProperties(PropertyBag& bag) {
    bag.write<double>("Min", min_, 0);
    bag.write<double>("Max", max_, 100);
    bag.write<QString>("Caption", caption_, QString());
    bag.write<bool>("Locked", locked_, false);
    writeToolTipText(bag);
    bag.write<double>("Step", step_, 1);
    bag.write<std::int16_t>("PointerCount", PointerCount(), 1);
    for (std::size_t i = 0; i < pointers_.size(); ++i) {
        const Pointer& p = pointers_[i];
        const QString key = QStringLiteral("Pointer%1").arg(i);
        bag.write<double>(key + "Value", p.value, min_);
        bag.write<double>(key + "Lower", p.lower, min_);
        bag.write<double>(key + "Upper", p.upper, min_);
        bag.write<std::int16_t>(key + "Style", p.style, MarkerAbove);
        bag.write<std::int32_t>(key + "Color", static_cast<std::int32_t>(p.color), 0x800000);
    }
    bag.write<std::int16_t>("BandCount", BandCount(), 0);
    for (std::size_t i = 0; i < bands_.size(); ++i) {
        const Band& b = bands_[i];
        const QString key = QStringLiteral("Band%1").arg(i);
        bag.write<double>(key + "Lower", b.lower, min_);
        bag.write<double>(key + "Upper", b.upper, max_);
        bag.write<std::int32_t>(key + "Color", static_cast<std::int32_t>(b.color), 0xC0C0C0);
        bag.write<std::int16_t>(key + "Top", b.top, 0);
        bag.write<std::int16_t>(key + "Height", b.height, 100);
    }
}

} // namespace vsq::display
