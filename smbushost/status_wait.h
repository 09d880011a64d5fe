#pragma once
// The bounded wait on a host controller's status byte.

#include <cstdint>

namespace halvicor {

// Controller types as the exports take them.
inline constexpr std::int32_t kIntelType = 1;
inline constexpr std::int32_t kAliType = 2;

// How long a wait lasts at most. A byte-data transfer at SMBus's slowest clock
// (10 kHz) takes about 4 ms and a device may stretch the clock by up to 25 ms a
// message; 100 ms covers a slow transfer with room to spare.
inline constexpr std::int64_t kStatusTimeoutMs = 100;

struct StatusWait {
    std::uint8_t status = 0; // the last status byte read
    bool settled = true;     // false: the time-out (or the program's end) came first
};

// Whether the status byte shows a transfer running: Intel host busy (bit 0);
// ALi not idle (bit 2 clear). Never for an unknown type.
bool statusBusy(std::int32_t type, std::uint8_t status);

// Polls the status byte at `base` while it shows busy, without pausing or
// yielding, until it settles, a reading begun after kStatusTimeoutMs passed on
// the monotonic millisecond clock still shows busy, or the program is ending.
// An unknown type reads no port.
StatusWait waitWhileBusy(std::uint16_t base, std::int32_t type);

} // namespace halvicor
