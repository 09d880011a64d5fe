#pragma once
// The six SMBus transactions of the parallel-port medium, each in the retry
// frame: open the port unless locked, run the steps, and on a failed line check
// recover the bus, back off and try again, up to MaxArbitrationDenials times.
// None reports anything itself: after a give-up BusError stays set and
// AttemptCount holds the back-offs, for the caller to report. Each starts with
// both cleared, so an earlier unreported give-up cannot end it early.
// Addresses are 8-bit bus addresses; reads set bit 0.

#include <cstdint>

namespace brisendal {

// S W(dev) A W(cmd) A W(high) A W(low) A P; the value rounded, high byte first.
void SendWriteWord(std::uint8_t deviceAddress, std::uint8_t addressPointer, std::int32_t value);
// S W(dev) A W(cmd) A P S W(dev|1) A R(high) M R(low) N P; high * 256 + low.
float SendReadWord(std::uint8_t deviceAddress, std::uint8_t addressPointer);
// S W(dev) A W(data) A P
void SendByte(std::uint8_t deviceAddress, std::uint8_t data);
// S W(dev|1) A R(data) pause N pause P
std::uint8_t ReceiveByte(std::uint8_t deviceAddress);
// S W(dev) A W(cmd) A W(data) A P
void WriteByteData(std::uint8_t deviceAddress, std::uint8_t addressPointer, std::uint8_t data);
// S W(dev) A W(cmd) A, P pause or (RepeatedStart) a repeated start, S W(dev|1) A
// R(data) pause N pause P
std::uint8_t ReadByteData(std::uint8_t deviceAddress, std::uint8_t addressPointer);

} // namespace brisendal
