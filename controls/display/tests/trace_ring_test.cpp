#include "controls/display/trace_ring.h"

#include <gtest/gtest.h>

#include <vector>

using vsq::display::TraceRing;

namespace {

std::vector<double> kept(const TraceRing& ring) {
    std::vector<double> values;
    for (std::size_t i = 0; i < ring.size(); ++i) {
        values.push_back(ring.at(i));
    }
    return values;
}

} // namespace

TEST(TraceRing, KeepsTheNewestSamplesAndCountsEveryOne) {
    TraceRing ring(3);
    for (double v : {1.0, 2.0, 3.0, 4.0, 5.0}) {
        ring.push(v);
    }
    EXPECT_EQ(kept(ring), (std::vector<double>{3, 4, 5}));
    EXPECT_EQ(ring.total(), 5u);
    EXPECT_EQ(ring.newest(), 5);
    ring.clear();
    EXPECT_TRUE(ring.empty());
    EXPECT_EQ(ring.total(), 0u);
    ring.push(7);
    EXPECT_EQ(kept(ring), (std::vector<double>{7}));
}

TEST(TraceRing, ACapacityChangeKeepsTheNewestThatFit) {
    const struct {
        std::size_t capacity;
        std::vector<double> expected;
    } cases[] = {
        {2, {4, 5}}, {5, {2, 3, 4, 5}}, {0, {5}}, // at least one
    };
    for (const auto& c : cases) {
        TraceRing ring(4);
        for (double v : {1.0, 2.0, 3.0, 4.0, 5.0}) {
            ring.push(v);
        }
        ring.setCapacity(c.capacity);
        EXPECT_EQ(kept(ring), c.expected) << c.capacity;
        ring.push(6);
        EXPECT_EQ(ring.newest(), 6) << c.capacity;
        EXPECT_EQ(ring.total(), 6u) << c.capacity;
    }
}
