#include "comms/register_access.h"

#include "comms/bus_report.h"
#include "comms/port_access.h"

namespace brisendal {
namespace {

template <typename Access> void withPort(LockUse lockUse, Access&& access) {
    FrameScope frame;
    RequireFrame(frame);
    auto& s = busState();
    if (lockUse == LockUse::Honour && s.LockPortOpen) {
        access();
        return;
    }
    if (OpenPort())
        access();
    if (!s.LockPortOpen)
        ClosePort();
}

std::uint16_t registerAddress(std::uint16_t offset) {
    return static_cast<std::uint16_t>(busState().PortAddress + offset);
}

} // namespace

void RegisterWrite(std::uint16_t offset, std::uint8_t value, LockUse lockUse) {
    withPort(lockUse, [&] { PortOutput(registerAddress(offset), value); });
}

std::uint8_t RegisterRead(std::uint16_t offset, LockUse lockUse) {
    std::uint8_t value = 0;
    withPort(lockUse, [&] { value = PortInput(registerAddress(offset)); });
    return value;
}

} // namespace brisendal
