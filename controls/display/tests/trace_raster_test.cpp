#include "controls/display/trace_raster.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using vsq::display::drawTrace;
using vsq::display::PixelTarget;

namespace {

// A trace drawn on a small blank picture, as rows of '.' and '#'.
std::vector<std::string> drawn(std::vector<int> xs, std::vector<int> ys, int width,
                               int clipRight = 9) {
    std::vector<std::uint32_t> pixels(10 * 6, 0);
    const PixelTarget target{pixels.data(), 10, 0, 0, clipRight, 5};
    drawTrace(target, xs.data(), ys.data(), static_cast<int>(xs.size()), 1, width);
    std::vector<std::string> rows;
    for (int y = 0; y < 6; ++y) {
        std::string row;
        for (int x = 0; x < 10; ++x) {
            row += pixels[static_cast<std::size_t>(y * 10 + x)] != 0 ? '#' : '.';
        }
        rows.push_back(row);
    }
    return rows;
}

} // namespace

TEST(TraceRaster, LinesAreConnectedRunsOneColumnWideAndClipped) {
    // clang-format off
    const struct {
        const char* name;
        std::vector<int> xs, ys;
        int width;
        int clipRight;
        std::vector<std::string> expected;
    } cases[] = {
        {"flat", {0, 9}, {2, 2}, 1, 9,
         {"..........", "..........", "##########", "..........", "..........", ".........."}},
        {"steep rise and a step", {0, 2, 4}, {5, 0, 0}, 1, 9,
         {"..###.....", ".##.......", ".#........", ".#........", "##........", "#........."}},
        {"a peak keeps its top", {0, 1, 2}, {4, 1, 4}, 1, 9,
         {"..........", ".#........", ".#........", "###.......", "#.#.......", ".........."}},
        {"two pixels wide", {0, 4}, {1, 1}, 2, 9,
         {"..........", "######....", "######....", "..........", "..........", ".........."}},
        {"one sample", {3}, {3}, 1, 9,
         {"..........", "..........", "..........", "...#......", "..........", ".........."}},
        {"clipped at the right", {0, 9}, {4, 4}, 1, 5,
         {"..........", "..........", "..........", "..........", "######....", ".........."}},
        {"beyond the bottom", {0, 4}, {3, 9}, 1, 9,
         {"..........", "..........", "..........", "#.........", "##........", ".##......."}},
    };
    // clang-format on
    for (const auto& c : cases) {
        EXPECT_EQ(drawn(c.xs, c.ys, c.width, c.clipRight), c.expected) << c.name;
    }
}
