#pragma once
// Writing some bits of a chip register that other bits share with another
// window: read it, keep the bits that are not ours, write it back. A read that
// failed on the bus yields 0, and writing that back would clear the other
// window's bits, so the update gives up instead and writes nothing.

#include <cstdint>

namespace trelvane {

// Writes (value read AND keepMask) OR setBits to `address`. Returns false, with
// nothing written, when the read failed; true when the write was sent (whether
// the write went through, lastTransferFailed() tells).
bool ReadModifyWrite(std::uint8_t address, std::uint8_t keepMask, std::uint8_t setBits);

} // namespace trelvane
