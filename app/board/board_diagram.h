#pragma once
// The board diagrams of the evaluation-board window, laid out on the tab's
// grid so each pin lines up with the control that drives it: a chip is a
// framed box over a column of grid rows (its name in the first row, one pin
// per row below), and a wire is a signal name over an arrow.

#include <QStringList>

class QGridLayout;
class QWidget;

namespace trelvane::board {

// Draws a chip in `column` from `firstRow`: its name, then `pins` one per row
// (an empty pin name leaves its row blank).
void addChip(QGridLayout& grid, int firstRow, int column, const QString& name,
             const QStringList& pins);

// A wire carrying a signal to the right: its name over an arrow.
QWidget* newWire(const QString& name, QWidget* parent);

} // namespace trelvane::board
