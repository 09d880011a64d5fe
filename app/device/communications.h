#pragma once
// The program's road to the bus. Every window and class reaches the chip and the
// board's other chips through these routines, which hand each request to the
// communications library through the one root object `gComPort`.
//
// A failed status of a library call (its objects cannot be created, a port
// driver is missing) reaches the caller as brisendal::ComError; a number that
// does not fit its destination raises trelvane::Overflow. A transfer that fails
// on the bus is not an error: a read then returns 0. To learn whether the last
// transfer (or any since a mark) failed, see transfer_status.h.

#include <cstdint>

namespace trelvane {

// The medium the routines take, a `Medium` (chip_road.h): the parallel port
// (`PrinterPort`), the chipset's SMBus host controller (`SMBus`, byte register
// transfers only), any other value none (nothing is sent, reads return 0). The
// parallel port when the program starts; nothing writes it since.
extern std::uint8_t gPortType;

// The VSQ5540's bus address in 8-bit form (bit 0 clear). 0 when the program
// starts; the start-up sets 0xA8, the set-up wizard the chip the user picked.
extern std::uint8_t gChipAddress;

// Byte registers of the chip (at gChipAddress) and of any device.
void WriteRegister(std::uint8_t addressPointer, std::uint8_t data);
std::uint8_t ReadRegister(std::uint8_t addressPointer);
void WriteDeviceRegister(std::uint8_t deviceAddress, std::uint8_t addressPointer,
                         std::uint8_t data);
std::uint8_t ReadDeviceRegister(std::uint8_t deviceAddress, std::uint8_t addressPointer);

// Words, high byte first; parallel port only. Callers pass 0 to 65535.
void WriteDeviceWord(std::uint8_t deviceAddress, std::uint8_t addressPointer, std::int32_t value);
std::int32_t ReadDeviceWord(std::uint8_t deviceAddress, std::uint8_t addressPointer);

// Send byte and receive byte (no command byte); parallel port only.
void SendDeviceByte(std::uint8_t deviceAddress, std::uint8_t data);
std::uint8_t ReceiveDeviceByte(std::uint8_t deviceAddress);

// The chip's EEPROM: configuration bytes from 0xF800, user bytes from 0xF900.
// `address` is a whole number held as a float; it is rounded (a half to even)
// and its low 16 bits name the byte. Parallel port only; always the chip at
// gChipAddress, whatever device address other clients left in the library.
void WriteEEPROMByte(float address, std::uint8_t data);
std::uint8_t ReadEEPROMByte(float address);

// Waits about 30 ms (ShortDelay), then erases the 32-byte page that starts at
// highByte:lowByte (0xF8 or 0xF9; 0x00, 0x20, ... 0xE0) of the chip at
// gChipAddress. Callers set EE_ERASE (bit 3 of reg::UPDCFG) first.
void EraseEEPROMPage(std::uint8_t highByte, std::uint8_t lowByte);

} // namespace trelvane
