// The nine exported functions. They report no error: an access the platform
// cannot carry out (the port I/O backend refused or lost) ends the call with
// the answer absent hardware would give.

#include "smbushost/halvicor.h"

#include "platform/port_io.h"
#include "smbushost/byte_data_transfer.h"
#include "smbushost/controller_scan.h"
#include "smbushost/pci_config.h"

namespace {

template <typename Result, typename Body> Result guarded(Result absent, Body body) noexcept {
    try {
        return body();
    } catch (const vsq::platform::PortIoError&) {
        return absent;
    }
}

template <typename Body> void guarded(Body body) noexcept {
    try {
        body();
    } catch (const vsq::platform::PortIoError&) {
    }
}

std::uint16_t port(std::int32_t value) {
    return static_cast<std::uint16_t>(value);
}
std::uint8_t byte(std::int32_t value) {
    return static_cast<std::uint8_t>(value);
}
std::uint32_t field(std::int32_t value) {
    return static_cast<std::uint32_t>(value);
}

} // namespace

extern "C" {

int32_t DevFound(int32_t base, int32_t type, int32_t address) {
    return guarded<int32_t>(
        0, [&] { return halvicor::devicePresent(port(base), type, field(address)) ? 1 : 0; });
}

int32_t GetSMBBA(void) {
    return guarded<int32_t>(0xFFFF, [] { return halvicor::smbusBase(); });
}

int16_t ReadByBase(int32_t address) {
    return guarded<int16_t>(-1, [&] {
        return static_cast<int16_t>(static_cast<int8_t>(vsq::platform::in8(port(address))));
    });
}

int32_t ReadPCI(int32_t bus, int32_t device, int32_t function, int32_t reg) {
    return guarded<int32_t>(-1, [&] {
        return static_cast<int32_t>(
            halvicor::readConfig(field(bus), field(device), field(function), field(reg)));
    });
}

int32_t ReadSMB(int32_t base, int32_t type, int32_t address, int32_t command) {
    return guarded<int32_t>(
        0, [&] { return halvicor::readByteData(port(base), type, field(address), byte(command)); });
}

int32_t SouthBridgeType(void) {
    return guarded<int32_t>(0, [] {
        auto found = halvicor::findSouthBridge();
        return found ? halvicor::controllerType(found->id) : 0;
    });
}

void WriteByBase(int32_t address, int32_t value) {
    guarded([&] { vsq::platform::out8(port(address), byte(value)); });
}

void WritePCI(int32_t bus, int32_t device, int32_t function, int32_t reg, int32_t value) {
    guarded([&] {
        halvicor::writeConfig(field(bus), field(device), field(function), field(reg), field(value));
    });
}

void WriteSMB(int32_t base, int32_t type, int32_t address, int32_t command, int32_t data) {
    guarded([&] {
        halvicor::writeByteData(port(base), type, field(address), byte(command), byte(data));
    });
}

} // extern "C"
