#pragma once
// Faults a test can put on one bus.

#include <cstdint>

namespace vsq::sim {

struct BusFaults {
    bool holdSclLow = false; // something on the bus holds a line low until released
    bool holdSdaLow = false;
    // An addressed slave holds SCL low after every acknowledge clock, for this many
    // accesses to the port's registers (status reads and register writes). 0: never.
    int clockStretchAccesses = 0;
};

} // namespace vsq::sim
