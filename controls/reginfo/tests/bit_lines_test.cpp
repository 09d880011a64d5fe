#include "controls/reginfo/bit_lines.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace mirelda {
namespace {

struct Layout {
    const char* name;
    std::vector<QRectF> digits;
    std::vector<QRectF> names;
    std::vector<bool> exitRight;
};

// The panel's two bit layouts, in twips, indexed by bit.
Layout byteLayout() {
    Layout layout{"byte", {}, {}, {}};
    for (int bit = 0; bit < 8; ++bit) {
        layout.digits.emplace_back(307 + (7 - bit) * 300, 60, 300, 480);
        const int top = 600 + (bit >= 4 ? 7 - bit : 3 - bit) * 285;
        layout.names.emplace_back(bit >= 4 ? 0 : 1635, top, 1380, 240);
        layout.exitRight.push_back(bit >= 4);
    }
    return layout;
}

Layout wordLayout() {
    Layout layout{"word", {}, {}, {}};
    for (int bit = 0; bit < 16; ++bit) {
        const int byteLeft = bit >= 8 ? 120 : 1530;
        layout.digits.emplace_back(byteLeft + (7 - bit % 8) * 165, 240, 165, 420);
        layout.names.emplace_back(60 + (3 - bit / 4) * 735, 720 + (3 - bit % 4) * 255, 675, 240);
        layout.exitRight.push_back(bit % 4 < 2);
    }
    return layout;
}

// True when the axis-aligned segment enters the open inside of the box.
bool enters(QPointF a, QPointF b, const QRectF& box) {
    return std::min(a.x(), b.x()) < box.right() && std::max(a.x(), b.x()) > box.left() &&
           std::min(a.y(), b.y()) < box.bottom() && std::max(a.y(), b.y()) > box.top();
}

TEST(BitLines, JoinEachNameToItsDigitCrossingNoOtherNameOrDigit) {
    for (const Layout& layout : {byteLayout(), wordLayout()}) {
        SCOPED_TRACE(layout.name);
        const std::vector<QPolygonF> lines =
            bitLines(layout.digits, layout.names, layout.exitRight, 15);
        ASSERT_EQ(lines.size(), layout.digits.size());
        for (std::size_t bit = 0; bit < lines.size(); ++bit) {
            SCOPED_TRACE(bit);
            const QPolygonF& line = lines[bit];
            ASSERT_GE(line.size(), 2);
            const QRectF& name = layout.names[bit];
            const QRectF& digit = layout.digits[bit];
            EXPECT_TRUE(line.front().x() == name.left() || line.front().x() == name.right());
            EXPECT_GE(line.front().y(), name.top());
            EXPECT_LE(line.front().y(), name.bottom());
            EXPECT_EQ(line.back().y(), digit.bottom());
            EXPECT_GT(line.back().x(), digit.left());
            EXPECT_LT(line.back().x(), digit.right());
            for (int k = 1; k < line.size(); ++k) {
                EXPECT_TRUE(line[k - 1].x() == line[k].x() || line[k - 1].y() == line[k].y());
                for (std::size_t other = 0; other < lines.size(); ++other) {
                    EXPECT_FALSE(enters(line[k - 1], line[k], layout.names[other]))
                        << "name " << other;
                    EXPECT_FALSE(enters(line[k - 1], line[k], layout.digits[other]))
                        << "digit " << other;
                }
            }
        }
    }
}

} // namespace
} // namespace mirelda
