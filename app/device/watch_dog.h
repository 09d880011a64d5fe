#pragma once
// The watchdog edge polarity (bit 0 of PDEN) and time-out (bits 7-4 of UPDCFG),
// read and set directly on the chip. Each set is a read-modify-write that keeps
// the register's other bits, and writes nothing when its read failed.

#include <cstdint>

namespace trelvane {

class WatchDog {
public:
    // 0 or 1; a value of 2 or more clears the bit.
    void setEdgePolarity(std::uint8_t polarity);
    std::uint8_t EdgePolarity();

    // Milliseconds: 0, 200, 400, 800, 1600, 3200, 4000, 5000, 6000, 7000, 8000,
    // 10000, 12000, 14000, 16000 or 18000. Any other value sets code 0 (0 ms).
    void setTimeout(std::int16_t milliseconds);
    std::int16_t Timeout();
};

} // namespace trelvane
