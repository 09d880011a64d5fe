#pragma once
// The lines that join each bit name to its bit digit. Each line leaves its
// name through the edge beside the gap, runs along a lane in the gap beside
// the name column, up that gap to the strip between the digits and the
// names, across to the digit's middle and up to the digit's bottom, so it
// crosses no name and no other digit.

#include <QPolygonF>
#include <QRectF>

#include <vector>

namespace mirelda {

// digits[i] and names[i] belong to the same bit, whose line leaves its name
// through the right edge where exitRight[i] is set; laneStep is the spacing
// of the lanes in a gap.
std::vector<QPolygonF> bitLines(const std::vector<QRectF>& digits, const std::vector<QRectF>& names,
                                const std::vector<bool>& exitRight, double laneStep);

} // namespace mirelda
