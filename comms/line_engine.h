#pragma once
// The bit-level SMBus engine on the parallel port: SCL is data bit 0 and SDA
// data bit 1, sensed on status bits 5 and 4. Every write is a line-state
// pattern of the bus state Or BitsToStayHigh, through the guarded port access;
// every pause is BitDelay. The line checks run only while ArbitrationOn; a
// failed check sets BusError and stops the primitive at once.

#include <cstdint>
#include <optional>

namespace brisendal {

// Line polarity and stay-high bits.
void SetLineInversion(bool inverted);
// Stores the bits and, when the port opens, drives both lines high with them.
void SetStayHighBits(std::uint8_t bits);

// Sensed line states (status And 0x30 against the sense patterns).
bool BothLinesLow();
bool ClockHighDataLow();
bool ClockLowDataHigh();
bool BothLinesHigh();
bool CheckClockReleased();
// Check n (0 both low, 1 clock low data high, 2 clock high data low, 3 both
// high, 4 clock released): sets BusError to the failure and returns it.
bool CheckLineState(int n);

// Primitives.
void StartCondition();
void StopCondition();
void PreStartSequence();
// The repeated start of a byte-data read: data released while the clock is
// low, then the clock.
void PrepareRepeatedStart();
void WriteDataByte(std::uint8_t value); // most significant bit first
std::uint8_t ReadDataByte();
void ClockAck();                  // clocks the slave's acknowledge without sampling it
void ClockNoAck();                // after the last byte the master reads
void ClockMasterAck();            // after a byte the master reads when more follow
std::optional<bool> ReadAckBit(); // true = acknowledged; empty when the clock check failed
void ClockAckSlow();
// Waits up to `timeout` seconds for the slave to pull SDA low.
bool WaitForAck(std::int16_t timeout);

// Recovery between attempts of a transaction.
void ArbitrationBackOff(); // random 0..10 ms, then AttemptCount + 1
void RecoverBus();         // stop from both-low, back-off, BusError cleared

// The value the byte writer sends for a 32-bit float argument: rounded to the
// nearest integer, halves to even (ComError 6 "Overflow" outside 32 bits).
std::int32_t RoundedValue(float value);

} // namespace brisendal
