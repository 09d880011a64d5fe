#pragma once
// Small pieces of the program's look that several windows share.

#include "app/core/new_named.h"

class QFrame;
class QPainter;
class QRect;
class QWidget;

namespace trelvane {

// A sunken horizontal line between two parts of a window.
QFrame* newHorizontalRule(QWidget* parent);
// Scales the widget's font by `scale`, bold or not.
void setFontScale(QWidget* widget, double scale, bool bold);
// The frame of a fixed-size dialog: its title and close button only (no
// minimise, maximise or help).
void useFixedDialogFrame(QWidget* window);
// Centres a top-level window on the primary screen's free area.
void centerOnScreen(QWidget* window);
// The dark blue backdrop of the splash and the wizard's picture column.
void paintBackdrop(QPainter& painter, const QRect& area);

} // namespace trelvane
