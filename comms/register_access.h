#pragma once
// One access to a register of the selected parallel port, as the register
// objects make it: the byte goes to the port unchanged (no stay-high bits, no
// line patterns). Refused with ComError while a frame is in progress.

#include <cstdint>

namespace brisendal {

enum class LockUse {
    Honour, // a locked port is used as it is
    Reopen  // the port is opened (re-claimed) even when locked
};

void RegisterWrite(std::uint16_t offset, std::uint8_t value, LockUse lockUse);
std::uint8_t RegisterRead(std::uint16_t offset, LockUse lockUse);

} // namespace brisendal
