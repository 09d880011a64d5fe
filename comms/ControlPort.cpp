#include "comms/ControlPort.h"

#include "comms/register_access.h"

namespace brisendal {

void ControlPort::setValue(std::uint8_t value) {
    RegisterWrite(2, value, LockUse::Reopen);
}
std::uint8_t ControlPort::Value() const {
    return RegisterRead(2, LockUse::Reopen);
}

} // namespace brisendal
