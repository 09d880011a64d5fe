#include "controls/display/trace_raster.h"

#include <algorithm>

namespace vsq::display {

namespace {

// Rounds to the nearest whole number; the values drawn are a few thousand
// pixels at most, so the offset keeps the truncation a floor.
inline int nearest(double value) {
    constexpr double kOffset = 1 << 20;
    return static_cast<int>(value + kOffset + 0.5) - static_cast<int>(kOffset);
}

// Pixels of columns around x (width of them), rows from..to (either order),
// within the clip.
inline void fillRun(const PixelTarget& t, int x, int from, int to, std::uint32_t pixel, int width) {
    const int before = (width - 1) / 2;
    const int after = width - 1 - before;
    const int top = std::max(std::min(from, to) - before, t.top);
    const int bottom = std::min(std::max(from, to) + after, t.bottom);
    const int left = std::max(x - before, t.left);
    const int right = std::min(x + after, t.right);
    if (left > right) {
        return;
    }
    std::uint32_t* line = t.bits + static_cast<std::ptrdiff_t>(top) * t.stride;
    for (int row = top; row <= bottom; ++row, line += t.stride) {
        for (int column = left; column <= right; ++column) {
            line[column] = pixel;
        }
    }
}

} // namespace

void drawTrace(const PixelTarget& target, const int* xs, const int* ys, int n, std::uint32_t pixel,
               int width) {
    if (n <= 0 || width < 1) {
        return;
    }
    // Column x covers the line from half a column before x to half a column
    // after it, so the runs of neighbouring columns meet; `entry` is where the
    // line enters the next column.
    int entry = ys[0];
    for (int i = 1; i < n; ++i) {
        const int x0 = xs[i - 1];
        const int y0 = ys[i - 1];
        const int dx = xs[i] - x0;
        const int y1 = ys[i];
        if (dx <= 0) {
            fillRun(target, x0, std::min(entry, y1), std::max(entry, y1), pixel, width);
            entry = y1;
            continue;
        }
        if (xs[i] < target.left - width || x0 > target.right + width) {
            entry = y1;
            continue;
        }
        const double slope = static_cast<double>(y1 - y0) / dx;
        for (int c = 0; c < dx; ++c) {
            const int exit = nearest(y0 + slope * (c + 0.5));
            if (c == 0) {
                // The sample itself may be a peak beyond both halves.
                fillRun(target, x0, std::min({entry, exit, y0}), std::max({entry, exit, y0}), pixel,
                        width);
            } else {
                fillRun(target, x0 + c, entry, exit, pixel, width);
            }
            entry = exit;
        }
    }
    const int last = ys[n - 1];
    fillRun(target, xs[n - 1], std::min(entry, last), std::max(entry, last), pixel, width);
}

} // namespace vsq::display
