#pragma once
// Byte-data transfers and the presence probe on a host controller of either
// family. Each transfer first waits for the controller to be free, so a read
// never rewrites the registers of a write still on the wire.

#include <cstdint>

namespace halvicor {

void writeByteData(std::uint16_t base, std::int32_t type, std::uint32_t address,
                   std::uint8_t command, std::uint8_t data);

// The data byte, sign-extended; 0 when the controller reported an error or did
// not finish within the time-out, and for an unknown type.
std::int32_t readByteData(std::uint16_t base, std::int32_t type, std::uint32_t address,
                          std::uint8_t command);

// A read of command 0; present when it finished in time and the final status
// shows no error (Intel: no bit but the completion bit; ALi: none of bits 5-7).
bool devicePresent(std::uint16_t base, std::int32_t type, std::uint32_t address);

} // namespace halvicor
