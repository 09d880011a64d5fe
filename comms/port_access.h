#pragma once
// Port detection, claiming and guarded access to the registers of the selected
// parallel port, all through the outside parallel-port driver. A missing driver
// library or function surfaces as ComError (53 library not found, 48 library
// there but not loadable, 453 function not found), except where a claim or a
// release ignores it.

#include <cstdint>

namespace vsq::platform {
struct PortInformation;
}

namespace brisendal {

// Once per process: the system family, the detected ports and the first port's
// address. A driver failure leaves it to run again at the next creation.
void InitialiseParallelPorts();

// Closes an open port, then claims driver port `portNumber`; nonzero = claimed.
// Driver failures count as a refused claim.
std::int16_t ClaimPort(std::uint8_t portNumber);
// Opens the selected port (claims it, except on the 9x family); the new PortOpen.
bool OpenPort();
// Releases the port if open; always clears PortOpen and LockPortOpen.
void ClosePort();
// Selects the detected port whose base address has these low 16 bits.
void SelectPortByAddress(std::uint16_t address);

// Writes one register, opening and closing the port around it when it is
// neither open nor locked.
void PortOutput(std::uint16_t address, std::uint8_t value);
// Reads one register while the port is open or locked, else 0.
std::uint8_t PortInput(std::uint16_t address);
// Only while PortOpen (a lock alone is not enough).
void OutputIfOpen(std::uint16_t address, std::uint8_t value);
std::uint8_t InputIfOpen(std::uint16_t address);

// The driver's answers, its failures as ComError.
std::uint8_t DriverPortCount(); // low 8 bits of the driver's count
// Nonzero when the driver filled the record of port `portNumber` (1-based).
bool DriverPortInfo(std::int32_t portNumber, vsq::platform::PortInformation& record);

} // namespace brisendal
