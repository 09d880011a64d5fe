#pragma once
// Reads and writes the control register (PortAddress + 2). Each access opens
// the port, also while it is locked: where ports are claimed, that re-claim
// drops the lock, and the port is released after the access.

#include <cstdint>

namespace brisendal {

class ControlPort {
public:
    void setValue(std::uint8_t value);
    std::uint8_t Value() const;
};

} // namespace brisendal
