#include "controls/display/toggle.h"

#include "controls/display/display_support.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace vsq::display {

using vsq::controls::PropertyBag;
using vsq::controls::propertyMember;

namespace {

const QColor kBlue(0x00, 0x33, 0xCC);
const QColor kRed(0xCC, 0x11, 0x11);
const QColor kGreen(0x11, 0x99, 0x22);

} // namespace

Toggle::Toggle(QWidget* parent) : DisplayControl(parent) {
    setCursor(Qt::PointingHandCursor);
}

Toggle::~Toggle() = default;

void Toggle::setState(bool state) {
    state_ = state;
    update();
    propertyChanged(QStringLiteral("State"));
}

void Toggle::setFace(std::int16_t face) {
    requireWithin(face, SwitchFace, PolarityFace);
    face_ = face;
    updateGeometry();
    update();
    propertyChanged(QStringLiteral("Face"));
}

void Toggle::setOnText(const QString& text) {
    onText_ = text;
    update();
    propertyChanged(QStringLiteral("OnText"));
}

void Toggle::setOffText(const QString& text) {
    offText_ = text;
    update();
    propertyChanged(QStringLiteral("OffText"));
}

QSize Toggle::sizeHint() const {
    if (face_ != SwitchFace) {
        return {18, 18};
    }
    const QFontMetrics metrics(font());
    const int text =
        std::max(metrics.horizontalAdvance(onText_), metrics.horizontalAdvance(offText_));
    return {34 + (text > 0 ? 6 + text : 0), std::max(18, metrics.height() + 4)};
}

void Toggle::flipByUser() {
    state_ = !state_;
    update();
    propertyChanged(QStringLiteral("State"));
    emit Flipped();
}

void Toggle::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        pressed_ = true;
        update();
    }
}

void Toggle::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !pressed_) {
        return;
    }
    pressed_ = false;
    update();
    if (rect().contains(event->position().toPoint())) {
        flipByUser();
    }
}

void Toggle::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return ||
        event->key() == Qt::Key_Enter) {
        flipByUser();
        return;
    }
    QWidget::keyPressEvent(event);
}

void Toggle::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QPalette& pal = palette();
    const bool enabled = isEnabled();

    if (face_ == SwitchFace) {
        // A slide switch: a rounded track, the knob at the right while on.
        const int trackHeight = std::min(height() - 2, 16);
        const QRectF track(1.5, (height() - trackHeight) / 2.0 + 0.5, 32, trackHeight - 1);
        const QColor on = enabled ? kGreen : pal.color(QPalette::Disabled, QPalette::Mid);
        painter.setPen(QPen(pal.color(QPalette::Dark), 1));
        painter.setBrush(state_ ? on : pal.color(QPalette::Mid).lighter(130));
        painter.drawRoundedRect(track, trackHeight / 2.0 - 0.5, trackHeight / 2.0 - 0.5);
        const double knob = trackHeight - 5;
        const double knobX = state_ ? track.right() - knob - 2 : track.left() + 2;
        QColor knobFill = pal.color(QPalette::Button).lighter(pressed_ ? 95 : 110);
        painter.setBrush(knobFill);
        painter.setPen(QPen(pal.color(QPalette::Shadow).lighter(200), 1));
        painter.drawEllipse(QRectF(knobX, track.top() + 2, knob, knob));
        painter.setPen(
            pal.color(enabled ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
        const QRect text(38, 0, width() - 38, height());
        painter.drawText(text, Qt::AlignVCenter | Qt::AlignLeft, state_ ? onText_ : offText_);
        if (hasFocus()) {
            drawFocusFrame(painter, QRectF(rect()), pal);
        }
        return;
    }

    // Glyph faces: a small button-like cell with the state's glyph.
    const double side = std::min(width(), height()) - 1.0;
    const QRectF cell((width() - side) / 2.0, (height() - side) / 2.0, side, side);
    painter.setPen(QPen(pal.color(QPalette::Dark), 1));
    painter.setBrush(pressed_ ? pal.color(QPalette::Button).darker(110)
                              : pal.color(QPalette::Base));
    painter.drawRoundedRect(cell.adjusted(0.5, 0.5, -0.5, -0.5), 2, 2);

    const QRectF inner = cell.adjusted(side * 0.22, side * 0.22, -side * 0.22, -side * 0.22);
    const double stroke = std::max(1.6, side / 8.0);
    QColor color;
    QPainterPath glyph;
    if (face_ == EnableFace) {
        if (state_) {
            color = kGreen;
            glyph.moveTo(inner.left(), inner.center().y());
            glyph.lineTo(inner.left() + inner.width() * 0.38, inner.bottom());
            glyph.lineTo(inner.right(), inner.top());
        } else {
            color = kBlue;
            glyph.moveTo(inner.topLeft());
            glyph.lineTo(inner.bottomRight());
            glyph.moveTo(inner.topRight());
            glyph.lineTo(inner.bottomLeft());
        }
    } else {
        color = state_ ? kRed : kBlue;
        glyph.moveTo(inner.left(), inner.center().y());
        glyph.lineTo(inner.right(), inner.center().y());
        if (state_) {
            glyph.moveTo(inner.center().x(), inner.top());
            glyph.lineTo(inner.center().x(), inner.bottom());
        }
    }
    if (!enabled) {
        color = pal.color(QPalette::Disabled, QPalette::WindowText);
    }
    painter.setPen(QPen(color, stroke, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(glyph);
    if (hasFocus()) {
        drawFocusFrame(painter, cell, pal);
    }
}

const vsq::controls::MemberTable& Toggle::memberTable() const {
    static const vsq::controls::MemberTable table{
        propertyMember("State", 25, &Toggle::State, &Toggle::setState),
        propertyMember("Face", 200, &Toggle::Face, &Toggle::setFace),
        propertyMember("OnText", 201, &Toggle::OnText, &Toggle::setOnText),
        propertyMember("OffText", 202, &Toggle::OffText, &Toggle::setOffText),
        propertyMember("ToolTipText", 203, &Toggle::ToolTipText, &Toggle::setToolTipText),
    };
    return table;
}

void Toggle::readProperties(const PropertyBag& bag) {
    state_ = bag.read<bool>("State", false);
    const auto face = bag.read<std::int16_t>("Face", SwitchFace);
    face_ = face >= SwitchFace && face <= PolarityFace ? face : std::int16_t{SwitchFace};
    onText_ = bag.read<QString>("OnText", QStringLiteral("On"));
    offText_ = bag.read<QString>("OffText", QStringLiteral("Off"));
    readToolTipText(bag);
    updateGeometry();
    update();
}

void Toggle::writeProperties(PropertyBag& bag) {
    bag.write<bool>("State", state_, false);
    bag.write<std::int16_t>("Face", face_, SwitchFace);
    bag.write<QString>("OnText", onText_, QStringLiteral("On"));
    bag.write<QString>("OffText", offText_, QStringLiteral("Off"));
    writeToolTipText(bag);
}

} // namespace vsq::display
