#pragma once
// Reads and writes the status register (PortAddress + 1).
// Opens and closes the port around each access unless it is locked.

#include <cstdint>

namespace brisendal {

class StatusPort {
public:
    void setValue(std::uint8_t value);
    std::uint8_t Value() const;
};

} // namespace brisendal
