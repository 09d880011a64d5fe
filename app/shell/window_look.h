#pragma once
// Small pieces of the program's look that several windows share.

class QPainter;
class QRect;
class QWidget;

namespace trelvane {

// Scales the widget's font by `scale`, bold or not.
void setFontScale(QWidget* widget, double scale, bool bold);
// Centres a top-level window on the primary screen's free area.
void centerOnScreen(QWidget* window);
// The dark blue backdrop of the splash and the wizard's picture column.
void paintBackdrop(QPainter& painter, const QRect& area);

} // namespace trelvane
