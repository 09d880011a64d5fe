#pragma once
// Reads and writes the data register (PortAddress + 0): the spare data lines.
// Opens and closes the port around each access unless it is locked.

#include <cstdint>

namespace brisendal {

class DataPort {
public:
    void setValue(std::uint8_t value);
    std::uint8_t Value() const;
};

} // namespace brisendal
