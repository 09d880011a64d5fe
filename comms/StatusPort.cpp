#include "comms/StatusPort.h"

#include "comms/register_access.h"

namespace brisendal {

void StatusPort::setValue(std::uint8_t value) {
    RegisterWrite(1, value, LockUse::Honour);
}
std::uint8_t StatusPort::Value() const {
    return RegisterRead(1, LockUse::Honour);
}

} // namespace brisendal
