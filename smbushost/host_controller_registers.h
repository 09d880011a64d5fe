#pragma once
// What the chipset SMBus code knows of the two host-controller families it
// drives: their PCI identifiers, where their I/O base lives in configuration
// space, their registers (I/O ports at base + offset) and what their status
// bits mean. Shared by Halvicor and by the communications library's chipset
// medium, so both drive a controller the same way.

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>

namespace halvicor {

// Identifier word of configuration register 0: device id in the upper 16 bits,
// vendor id in the lower 16.
inline constexpr std::uint32_t kPiix4Id = 0x71138086;
inline constexpr std::array<std::uint32_t, 6> kIchIds = {0x24188086, 0x24288086, 0x24138086,
                                                         0x24238086, 0x24438086, 0x24458086};
// The ALi south bridge, as Halvicor's own scan knows it, and the ALi power
// management function whose SMBus the communications library drives.
inline constexpr std::uint32_t kAliSouthBridgeId = 0x153310B9;
inline constexpr std::uint32_t kAliPowerManagementId = 0x710110B9;

constexpr bool isIchId(std::uint32_t id) {
    return std::find(kIchIds.begin(), kIchIds.end(), id) != kIchIds.end();
}
constexpr bool isIntelId(std::uint32_t id) {
    return id == kPiix4Id || isIchId(id);
}

// Configuration registers of the Intel family (function 3 of the south bridge).
// The base register holds the I/O base with bit 0 set for I/O space; bit 16 of
// the host configuration word is the controller's host enable.
inline constexpr int kPiix4BaseRegister = 0x90;
inline constexpr int kPiix4HostConfigRegister = 0xD2;
inline constexpr int kIchBaseRegister = 0x20;
inline constexpr int kIchHostConfigRegister = 0x40;
inline constexpr std::uint32_t kHostEnable = 0x10000;
inline constexpr std::uint32_t kIoSpaceFlag = 0x1;

// The I/O base an Intel base register holds (the word less its I/O flag); none
// when the register is not flagged as I/O space or its base is 0, which would
// send the controller's traffic to the DMA controller's ports.
constexpr std::optional<std::uint32_t> intelIoBase(std::uint32_t word) {
    if ((word & kIoSpaceFlag) == 0 || ((word - 1) & 0xFFFF) == 0)
        return std::nullopt;
    return word - 1;
}

// Configuration registers of the ALi power management function: the I/O base
// in the upper half of 0xE0, and the two enables.
inline constexpr int kAliBaseRegister = 0xE0;
inline constexpr int kAliIoEnableRegister = 0xD0;
inline constexpr std::uint32_t kAliIoEnable = 0x400;
inline constexpr int kAliHostEnableRegister = 0xF0;
inline constexpr std::uint32_t kAliHostEnable = 0x1;

// Intel (PIIX4/ICH) host controller.
namespace intel {
inline constexpr int kStatus = 0;
inline constexpr int kControl = 2;
inline constexpr int kCommand = 3;
inline constexpr int kSlaveAddress = 4;
inline constexpr int kData0 = 5;
inline constexpr int kData1 = 6;

inline constexpr std::uint8_t kClearStatus = 0x1F; // status bits 0-4
inline constexpr std::uint8_t kStartByteData =
    0x48; // start (bit 6), byte-data protocol (bits 4-2 = 010)
inline constexpr std::uint8_t kHostBusy = 0x01;     // a transfer is running
inline constexpr std::uint8_t kInterrupt = 0x02;    // the last transfer completed
inline constexpr std::uint8_t kErrorBits = 0x1C;    // device error, bus collision, failed
inline constexpr std::uint8_t kPresenceMask = 0xFD; // present: no bit but the completion bit

constexpr bool busy(std::uint8_t status) {
    return (status & kHostBusy) != 0;
}
constexpr bool failed(std::uint8_t status) {
    return (status & kErrorBits) != 0;
}
constexpr bool present(std::uint8_t status) {
    return (status & kPresenceMask) == 0;
}
} // namespace intel

// ALi host controller. The layout of its command and data registers is this
// program's choice, the same in Halvicor, in the chipset medium and in the
// simulator: the command byte goes to base + 7, the data byte sits at base + 4.
namespace ali {
inline constexpr int kStatus = 0;
inline constexpr int kProtocol = 1;
inline constexpr int kStart = 2;
inline constexpr int kSlaveAddress = 3;
inline constexpr int kData = 4;
inline constexpr int kCommand = 7;

inline constexpr std::uint8_t kClearStatus = 0xF0; // status bits 4-7
inline constexpr std::uint8_t kByteDataProtocol = 0x20;
inline constexpr std::uint8_t kIdle = 0x04;       // no transfer running
inline constexpr std::uint8_t kErrorBits = 0xE0;  // device error, collision, failed
inline constexpr std::uint8_t kStartValue = 0xFF; // any write to the start register starts

constexpr bool busy(std::uint8_t status) {
    return (status & kIdle) == 0;
}
constexpr bool failed(std::uint8_t status) {
    return (status & kErrorBits) != 0;
}
constexpr bool present(std::uint8_t status) {
    return !failed(status);
}
} // namespace ali

// The slave address byte: the 7-bit bus address shifted left, with the read bit;
// bit 7 of the address is lost.
constexpr std::uint8_t slaveAddressByte(std::uint32_t address, bool read) {
    return static_cast<std::uint8_t>((address << 1) | (read ? 1u : 0u));
}

} // namespace halvicor
