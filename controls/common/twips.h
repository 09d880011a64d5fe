#pragma once
// Lengths of control layouts are in twips (1/1440 inch); the screen has 15
// twips to a pixel.

#include <QRect>

#include <cmath>

namespace vsq::controls {

constexpr int kTwipsPerPixel = 15;

inline int pixelsFromTwips(double twips) {
    return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}
// A rectangle in twips, in pixels: each edge and length rounded alike.
inline QRect pixelsFromTwips(const QRect& twips) {
    return {pixelsFromTwips(twips.left()), pixelsFromTwips(twips.top()),
            pixelsFromTwips(twips.width()), pixelsFromTwips(twips.height())};
}
inline double twipsFromPixels(double pixels) {
    return pixels * kTwipsPerPixel;
}

} // namespace vsq::controls
