#pragma once
// The adapter between a parallel port and the board's bus: data bit 0 drives SCL and
// bit 1 SDA; status bit 5 senses SCL, bit 4 SDA, and bit 3 mirrors bit 4.
// Inverting (default): a set data bit pulls its line low; a set status bit means low.
// NonInverting: a set data bit releases its line; a set status bit means high.

#include "sim/sim_config.h"

#include <cstdint>

namespace vsq::sim {

class BoardAdapter {
public:
    explicit BoardAdapter(AdapterPolarity polarity = AdapterPolarity::Inverting)
        : polarity_(polarity) {}

    AdapterPolarity polarity() const { return polarity_; }
    bool inverting() const { return polarity_ == AdapterPolarity::Inverting; }

    bool sclReleased(std::uint8_t data) const { return ((data & 0x01) != 0) != inverting(); }
    bool sdaReleased(std::uint8_t data) const { return ((data & 0x02) != 0) != inverting(); }

    // Status bits 5, 4 and 3 for the line levels.
    std::uint8_t senseBits(bool scl, bool sda) const {
        bool sclBit = scl != inverting();
        bool sdaBit = sda != inverting();
        return static_cast<std::uint8_t>((sclBit ? 0x20 : 0) | (sdaBit ? 0x18 : 0));
    }

private:
    AdapterPolarity polarity_;
};

} // namespace vsq::sim
