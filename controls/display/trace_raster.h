#pragma once
// Drawing of strip-chart traces straight into 32-bit pixels: a polyline whose
// x only grows, drawn as connected vertical runs, one per pixel column, so a
// thousand-point trace costs a few microseconds and stays crisp (no
// smoothing). Everything outside the clip rectangle is left alone.

#include <cstdint>

namespace vsq::display {

struct PixelTarget {
    std::uint32_t* bits = nullptr;
    int stride = 0; // pixels from one row to the next
    // The clip rectangle, edges included.
    int left = 0;
    int top = 0;
    int right = -1;
    int bottom = -1;
};

// A polyline through n points (x ascending), `width` pixels thick (1..).
void drawTrace(const PixelTarget& target, const int* xs, const int* ys, int n, std::uint32_t pixel,
               int width);

} // namespace vsq::display
