#include "comms/DataPort.h"

#include "comms/register_access.h"

namespace brisendal {

void DataPort::setValue(std::uint8_t value) {
    RegisterWrite(0, value, LockUse::Honour);
}
std::uint8_t DataPort::Value() const {
    return RegisterRead(0, LockUse::Honour);
}

} // namespace brisendal
