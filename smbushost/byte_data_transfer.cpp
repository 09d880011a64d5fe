#include "smbushost/byte_data_transfer.h"

#include "platform/port_io.h"
#include "smbushost/host_controller_registers.h"
#include "smbushost/status_wait.h"

#include <optional>

namespace halvicor {
namespace {

void put(std::uint16_t base, int offset, std::uint8_t value) {
    vsq::platform::out8(static_cast<std::uint16_t>(base + offset), value);
}

std::uint8_t get(std::uint16_t base, int offset) {
    return vsq::platform::in8(static_cast<std::uint16_t>(base + offset));
}

// Loads the registers and starts a byte-data transfer: a write when `data` is
// given, else a read.
void start(std::uint16_t base, std::int32_t type, std::uint32_t address, std::uint8_t command,
           std::optional<std::uint8_t> data) {
    const std::uint8_t slave = slaveAddressByte(address, !data);
    if (type == kIntelType) {
        put(base, intel::kData1, 0);
        put(base, intel::kData0, data.value_or(0));
        put(base, intel::kCommand, command);
        put(base, intel::kSlaveAddress, slave);
        put(base, intel::kStatus, intel::kClearStatus);
        put(base, intel::kControl, intel::kStartByteData);
    } else if (type == kAliType) {
        put(base, ali::kSlaveAddress, slave);
        put(base, ali::kCommand, command);
        if (data)
            put(base, ali::kData, *data);
        put(base, ali::kProtocol, ali::kByteDataProtocol);
        put(base, ali::kStart, ali::kStartValue);
    }
}

bool failed(std::int32_t type, const StatusWait& wait) {
    return !wait.settled ||
           (type == kIntelType ? intel::failed(wait.status) : ali::failed(wait.status));
}

bool knownType(std::int32_t type) {
    return type == kIntelType || type == kAliType;
}

} // namespace

void writeByteData(std::uint16_t base, std::int32_t type, std::uint32_t address,
                   std::uint8_t command, std::uint8_t data) {
    waitWhileBusy(base, type);
    start(base, type, address, command, data);
}

std::int32_t readByteData(std::uint16_t base, std::int32_t type, std::uint32_t address,
                          std::uint8_t command) {
    if (!knownType(type))
        return 0;
    waitWhileBusy(base, type);
    start(base, type, address, command, std::nullopt);
    if (failed(type, waitWhileBusy(base, type)))
        return 0;
    const int dataRegister = type == kIntelType ? intel::kData0 : ali::kData;
    return static_cast<std::int8_t>(get(base, dataRegister));
}

bool devicePresent(std::uint16_t base, std::int32_t type, std::uint32_t address) {
    if (!knownType(type))
        return false;
    waitWhileBusy(base, type);
    start(base, type, address, 0, std::nullopt);
    const bool settled = waitWhileBusy(base, type).settled;
    const std::uint8_t status = get(base, 0);
    return settled && (type == kIntelType ? intel::present(status) : ali::present(status));
}

} // namespace halvicor
