#include "smbushost/status_wait.h"

#include "platform/port_io.h"
#include "platform/services.h"
#include "smbushost/host_controller_registers.h"

namespace halvicor {

bool statusBusy(std::int32_t type, std::uint8_t status) {
    switch (type) {
    case kIntelType:
        return intel::busy(status);
    case kAliType:
        return ali::busy(status);
    default:
        return false;
    }
}

StatusWait waitWhileBusy(std::uint16_t base, std::int32_t type) {
    StatusWait result;
    if (type != kIntelType && type != kAliType)
        return result;
    const std::int64_t deadline = vsq::platform::millisecondsNow() + kStatusTimeoutMs;
    for (;;) {
        // The clock is read before the status, so a slow read (a preempted
        // thread, a loaded machine) never turns a transfer that finished
        // meanwhile into a time-out: only a reading begun past the deadline does.
        const std::int64_t now = vsq::platform::millisecondsNow();
        result.status = vsq::platform::in8(base);
        if (!statusBusy(type, result.status))
            return result;
        if (now > deadline || vsq::platform::quitRequested()) {
            result.settled = false;
            return result;
        }
    }
}

} // namespace halvicor
