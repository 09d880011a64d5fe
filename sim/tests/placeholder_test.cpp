#include "sim/simulated_pc.h"
#include <gtest/gtest.h>
TEST(Sim, PowersUp) {
    EXPECT_EQ(vsq::sim::SimulatedPc::instance().parallelPortCount(), 1);
}
