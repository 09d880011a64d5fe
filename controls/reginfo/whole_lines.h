#pragma once
// Text set in a box of fixed size in whole lines: no line is cut by the box's
// bottom edge, and text that does not fit ends the last line with an ellipsis.

#include <QFont>
#include <QSize>
#include <QString>

namespace mirelda {

// The text broken at word boundaries (within a word when one is wider than
// the box) into lines no wider than the box, as many as fit its height whole,
// joined by line feeds. A line feed in the text starts a new line. When text
// is left over, the last line shown ends after its last whole word that
// leaves room for an ellipsis, and the ellipsis follows.
QString wholeLines(const QString& text, const QFont& font, QSize box);

// The face for such text: the given one, or the largest smaller by half
// points, down to 7 points, that fits the number of lines in the height.
QFont faceForLines(const QFont& face, int height, int lines);

} // namespace mirelda
