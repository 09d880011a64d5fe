#pragma once
// The parallel port's data lines kept high whenever the communications library
// drives the data port (its BitsToStayHigh: one byte for the whole process).
// The evaluation-board window sets them when the engineer flips a spare line;
// the register access window connects its control manager here, whose own
// copy of the byte (DataPortOrBits) is saved with that window:
//
//     connectDataPortOrBits([manager](std::uint8_t bits) { manager->setDataPortOrBits(bits); });
//     ... and connectDataPortOrBits({}) before the manager goes.

#include <cstdint>
#include <functional>

namespace trelvane {

using DataPortOrBitsListener = std::function<void(std::uint8_t bits)>;

// Sets gComPort's PrinterPort.SMBusProtocall.BitsToStayHigh to `bits` (the
// data port changes at once unless a frame is in progress, then with its next
// edge), then gives the byte to the connected listener, if any.
void SetDataPortOrBits(std::uint8_t bits);

// The byte BitsToStayHigh holds now.
std::uint8_t DataPortOrBits();

// The one listener; an empty function disconnects it.
void connectDataPortOrBits(DataPortOrBitsListener listener);

} // namespace trelvane
