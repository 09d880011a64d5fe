#pragma once
// Faults a test can put on one bus.

namespace vsq::sim {

struct BusFaults {
    bool holdSclLow = false; // something on the bus holds a line low until released
    bool holdSdaLow = false;
};

} // namespace vsq::sim
