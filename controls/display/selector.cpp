#include "controls/display/selector.h"

#include "controls/display/display_support.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace vsq::display {

using vsq::controls::PropertyBag;
using vsq::controls::propertyMember;

namespace {

const QString kSeparator = QStringLiteral("|");
constexpr int kMaxPositions = 16;
constexpr double kMarkGap = 7; // from the knob's edge to the marks
constexpr double kTextGap = 5; // from the marks to the texts

// The face a position's text is drawn in: bold for the selected one.
QFont textFont(const QFont& font, bool selected) {
    QFont face = font;
    face.setBold(selected);
    return face;
}

} // namespace

struct Selector::Geometry {
    QRectF caption;
    QPointF centre;
    double radius = 0;          // of the knob
    std::vector<double> angles; // per position, radians clockwise from 12 o'clock
    std::vector<QRectF> labels;

    QPointF at(double angle, double distance) const {
        return {centre.x() + distance * std::sin(angle), centre.y() - distance * std::cos(angle)};
    }
};

Selector::Selector(QWidget* parent) : DisplayControl(parent) {}

Selector::~Selector() = default;

void Selector::setPosition(std::int16_t position) {
    position_ = static_cast<std::int16_t>(std::clamp<int>(position, 0, count_ - 1));
    update();
    propertyChanged(QStringLiteral("Position"));
}

void Selector::setCaption(const QString& caption) {
    caption_ = caption;
    update();
    propertyChanged(QStringLiteral("Caption"));
}

QString Selector::Texts() const {
    return texts_.join(kSeparator);
}

void Selector::setTexts(const QString& texts) {
    setTextList(texts.isEmpty() ? QStringList{} : texts.split(kSeparator));
}

void Selector::setTextList(const QStringList& texts) {
    texts_ = texts.mid(0, kMaxPositions);
    count_ = static_cast<std::int16_t>(std::max<qsizetype>(1, texts_.size()));
    position_ = std::min<std::int16_t>(position_, count_ - 1);
    updateGeometry();
    update();
    propertyChanged(QStringLiteral("Texts"));
}

void Selector::setPositionCount(std::int16_t count) {
    requireWithin(count, 1, kMaxPositions);
    count_ = count;
    texts_ = texts_.mid(0, count);
    position_ = std::min<std::int16_t>(position_, count_ - 1);
    updateGeometry();
    update();
    propertyChanged(QStringLiteral("PositionCount"));
}

QSize Selector::sizeHint() const {
    const QFontMetrics metrics(textFont(font(), true), this);
    int text = 0;
    for (const QString& t : texts_) {
        text = std::max(text, metrics.horizontalAdvance(t));
    }
    const int radius = 24;
    const int side = 2 * (radius + static_cast<int>(kMarkGap + kTextGap) + text) + 8;
    const int height = metrics.height() + 2 * (radius + static_cast<int>(kMarkGap + kTextGap)) +
                       2 * metrics.height() + 6;
    return {std::max(side, metrics.horizontalAdvance(caption_) + 8), height};
}

Selector::Geometry Selector::geometry() const {
    Geometry g;
    const QFontMetricsF metrics(font(), this);
    // Each text is measured in the face it is drawn in; the dial leaves room
    // for the widest one drawn bold, so it keeps its size as the selection moves.
    const QFontMetricsF boldMetrics(textFont(font(), true), this);
    const QFontMetricsF regularMetrics(textFont(font(), false), this);
    const QRectF area = QRectF(rect()).adjusted(3, 2, -3, -2);
    g.caption = caption_.isEmpty()
                    ? QRectF(area.topLeft(), QSizeF(area.width(), 0))
                    : QRectF(area.left(), area.top(), area.width(), metrics.height());
    const QRectF dial(area.left(), g.caption.bottom() + 2, area.width(),
                      area.bottom() - g.caption.bottom() - 2);
    double textWidth = 0;
    for (const QString& t : texts_) {
        textWidth = std::max(textWidth, boldMetrics.horizontalAdvance(t));
    }
    const double line = metrics.height();
    const double room = std::min(dial.width() / 2 - textWidth - kMarkGap - kTextGap,
                                 dial.height() / 2 - line - kMarkGap - kTextGap);
    g.radius = std::max(6.0, room);
    g.centre = QPointF(dial.center().x(), dial.center().y() + line * 0.25);

    // Two positions stand 90 degrees apart about the top; more spread over 270.
    const double sweep = (count_ == 2 ? 90.0 : 270.0) * std::numbers::pi / 180;
    for (int i = 0; i < count_; ++i) {
        const double angle = count_ == 1 ? 0 : -sweep / 2 + sweep * i / (count_ - 1);
        g.angles.push_back(angle);
        const QString text = texts_.value(i);
        const QPointF anchor = g.at(angle, g.radius + kMarkGap + kTextGap);
        const double w = (i == position_ ? boldMetrics : regularMetrics).horizontalAdvance(text);
        // The text's nearest side faces the dial: texts to the right of the
        // knob start at their anchor, those to the left end there.
        const double s = std::sin(angle);
        const double c = std::cos(angle);
        const double x = s > 0.1 ? anchor.x() : s < -0.1 ? anchor.x() - w : anchor.x() - w / 2;
        const double y = c > 0.3    ? anchor.y() - line
                         : c < -0.3 ? anchor.y()
                                    : anchor.y() - line / 2;
        g.labels.emplace_back(x, y, w, line);
    }
    return g;
}

QPointF Selector::textCentre(int position) const {
    return geometry().labels.at(static_cast<std::size_t>(position)).center();
}

int Selector::positionAt(const QPointF& point) const {
    const Geometry g = geometry();
    for (int i = 0; i < count_; ++i) {
        if (g.labels[static_cast<std::size_t>(i)].adjusted(-2, -2, 2, 2).contains(point)) {
            return i;
        }
    }
    const QPointF d = point - g.centre;
    if (std::hypot(d.x(), d.y()) > g.radius + kMarkGap + kTextGap) {
        return -1;
    }
    const double angle = std::atan2(d.x(), -d.y());
    int best = 0;
    for (int i = 1; i < count_; ++i) {
        if (std::abs(g.angles[static_cast<std::size_t>(i)] - angle) <
            std::abs(g.angles[static_cast<std::size_t>(best)] - angle)) {
            best = i;
        }
    }
    return best;
}

void Selector::turnByUser(int position) {
    position = std::clamp(position, 0, count_ - 1);
    if (position == position_) {
        return;
    }
    position_ = static_cast<std::int16_t>(position);
    update();
    propertyChanged(QStringLiteral("Position"));
    emit Turned(position_);
}

void Selector::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    const int at = positionAt(event->position());
    if (at >= 0) {
        dragging_ = true;
        turnByUser(at);
    }
}

void Selector::mouseMoveEvent(QMouseEvent* event) {
    if (!dragging_) {
        return;
    }
    const int at = positionAt(event->position());
    if (at >= 0) {
        turnByUser(at);
    }
}

void Selector::mouseReleaseEvent(QMouseEvent*) {
    dragging_ = false;
}

void Selector::wheelEvent(QWheelEvent* event) {
    const int notches = event->angleDelta().y() / 120;
    if (notches != 0) {
        turnByUser(position_ + notches);
    }
    event->accept();
}

void Selector::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Down:
        turnByUser(position_ - 1);
        return;
    case Qt::Key_Right:
    case Qt::Key_Up:
        turnByUser(position_ + 1);
        return;
    case Qt::Key_Home:
        turnByUser(0);
        return;
    case Qt::Key_End:
        turnByUser(count_ - 1);
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

void Selector::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QPalette& pal = palette();
    const Geometry g = geometry();
    const bool enabled = isEnabled();
    const QColor text =
        pal.color(enabled ? QPalette::Active : QPalette::Disabled, QPalette::WindowText);

    if (!caption_.isEmpty()) {
        painter.setFont(textFont(font(), true));
        painter.setPen(text);
        painter.drawText(g.caption, Qt::AlignHCenter | Qt::AlignVCenter, caption_);
        painter.setFont(font());
    }

    // Marks and texts of the positions; the selected one stands out.
    for (int i = 0; i < count_; ++i) {
        const auto index = static_cast<std::size_t>(i);
        const bool selected = i == position_;
        const QColor mark =
            selected && enabled ? pal.color(QPalette::Highlight) : pal.color(QPalette::Dark);
        painter.setPen(QPen(mark, selected ? 2.5 : 1.5, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(g.at(g.angles[index], g.radius + 2),
                         g.at(g.angles[index], g.radius + kMarkGap));
        painter.setFont(textFont(font(), selected));
        painter.setPen(selected && enabled ? pal.color(QPalette::Highlight).darker(130) : text);
        // A rounding of the face's width never cuts a letter off.
        painter.drawText(g.labels[index], Qt::AlignCenter | Qt::TextDontClip, texts_.value(i));
    }
    painter.setFont(font());

    // The knob: a round cap with a pointer line to the selected position.
    const QRectF knob(g.centre.x() - g.radius, g.centre.y() - g.radius, 2 * g.radius, 2 * g.radius);
    QRadialGradient shade(g.centre - QPointF(g.radius / 3, g.radius / 3), g.radius * 1.6);
    shade.setColorAt(0, pal.color(QPalette::Button).lighter(125));
    shade.setColorAt(1, pal.color(QPalette::Button).darker(115));
    painter.setBrush(shade);
    painter.setPen(
        QPen(hasFocus() ? pal.color(QPalette::Highlight) : pal.color(QPalette::Shadow).lighter(150),
             hasFocus() ? 1.5 : 1));
    painter.drawEllipse(knob);
    const double angle = g.angles[static_cast<std::size_t>(position_)];
    painter.setPen(QPen(enabled ? pal.color(QPalette::ButtonText) : pal.color(QPalette::Mid),
                        std::max(2.0, g.radius / 7), Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(g.at(angle, g.radius * 0.25), g.at(angle, g.radius * 0.8));
}

const vsq::controls::MemberTable& Selector::memberTable() const {
    static const vsq::controls::MemberTable table{
        propertyMember("Position", 29, &Selector::Position, &Selector::setPosition),
        propertyMember("Caption", -518, &Selector::Caption, &Selector::setCaption),
        propertyMember("Texts", 200, &Selector::Texts, &Selector::setTexts),
        propertyMember("PositionCount", 201, &Selector::PositionCount, &Selector::setPositionCount),
        propertyMember("ToolTipText", 202, &Selector::ToolTipText, &Selector::setToolTipText),
    };
    return table;
}

void Selector::readProperties(const PropertyBag& bag) {
    caption_ = bag.read<QString>("Caption", QString());
    const QString texts = bag.read<QString>("Texts", QString());
    texts_ = texts.isEmpty() ? QStringList{} : texts.split(kSeparator).mid(0, kMaxPositions);
    const auto count = bag.read<std::int16_t>("PositionCount", 2);
    count_ = static_cast<std::int16_t>(std::clamp<int>(count, 1, kMaxPositions));
    texts_ = texts_.mid(0, count_);
    position_ = static_cast<std::int16_t>(
        std::clamp<int>(bag.read<std::int16_t>("Position", 0), 0, count_ - 1));
    readToolTipText(bag);
    updateGeometry();
    update();
}

void Selector::writeProperties(PropertyBag& bag) {
    bag.write<std::int16_t>("Position", position_, 0);
    bag.write<QString>("Caption", caption_, QString());
    bag.write<QString>("Texts", Texts(), QString());
    bag.write<std::int16_t>("PositionCount", count_, 2);
    writeToolTipText(bag);
}

} // namespace vsq::display
