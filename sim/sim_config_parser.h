#pragma once
// VSQ_SIM: the simulated PC described as text, items separated by ';'. Numbers are
// decimal or 0x-prefixed hexadecimal. Unnamed items keep their defaults.
//
//   ports=none                          no parallel port at all
//   ports=0x378,0x278:empty             two ports; ':empty' leaves a port without a board
//   ports=0x378:empty,0x278:chip=0x5C   per-port options, ':'-separated:
//                                        empty | board | chip=<address> |
//                                        inverting | noninverting
//   chip=0x5C                           the chip's 8-bit bus address on every board
//   adapter=noninverting                every port's adapter (default inverting)
//   pci=piix4 | ich | ali | none        the south bridge (default piix4)
//   smbus-base=0x5000                   the host controller's I/O base
//   smbus-id=0x24188086                 the identifier word of an Intel-family function
//   smbus-board=empty                   no board on the chipset's SMBus (default board)
//   smbus-chip=0x5E                     the chip's address on that board
//   busy-reads=3                        status reads a started host transfer stays busy
//
// Per-port options win over chip= and adapter= wherever they stand.

#include "sim/sim_config.h"

#include <string>
#include <vector>

namespace vsq::sim {

// Parses `text` over the defaults. Every item that cannot be understood is skipped and
// described in `problems`.
SimConfig parseSimConfig(const std::string& text, std::vector<std::string>& problems);

} // namespace vsq::sim
