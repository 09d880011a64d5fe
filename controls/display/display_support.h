#pragma once
// What the display controls share: the failures of their setters and the
// colours and metrics of their look.

#include <QColor>
#include <QFont>
#include <QPalette>

#include <cstdint>

class QPainter;
class QRectF;

namespace vsq::display {

// Fails the call with Invalid property value (380).
[[noreturn]] void invalidPropertyValue();
// Fails with 380 unless low <= value <= high.
void requireWithin(double value, double low, double high);
// Fails with 380 unless value > 0 (a step).
void requirePositive(double value);

// A value of the user's on the grid of steps from min, within min..max.
double snapped(double value, double min, double max, double step);

// A colour 0x00BBGGRR (or a system colour) as the widgets draw it.
QColor drawColor(std::uint32_t ole);

// Text of a scale value: whole numbers without decimals, others with up to three.
QString scaleText(double value);

// A sunken groove (slider and gauge tracks) filled with `fill`.
void drawGroove(QPainter& painter, const QRectF& rect, const QPalette& palette, const QColor& fill);
// The dotted focus frame.
void drawFocusFrame(QPainter& painter, const QRectF& rect, const QPalette& palette);

} // namespace vsq::display
