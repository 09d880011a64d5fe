#pragma once
// How the simulated PC is built: its parallel ports, each with an evaluation board or
// none, the board adapter's polarity, the chip's bus address, the south bridge on the
// PCI bus and the board behind the chipset's SMBus host controller. SimulatedPc powers
// up from one of these; VSQ_SIM describes one as text (sim_config_parser.h).

#include <cstdint>
#include <vector>

namespace vsq::sim {

// The adapter between the port's data and status lines and the bus. Inverting (the
// default, what the program assumes at start-up): open-collector inverters, so a set
// data bit pulls its line low and a set status bit means a low line. NonInverting: a set
// data bit releases its line and a set status bit means a high line.
enum class AdapterPolarity { Inverting, NonInverting };

// The south bridge on PCI bus 0 and, with it, the chipset's SMBus host controller.
//   Piix4: identifier 0x71138086 at device 7 function 3; I/O base in configuration
//          register 0x90 (bit 0 set: I/O space); host enable bit 0 of register 0xD2.
//   Ich:   an ICH-family identifier (default 0x24438086) at device 31 function 3; base
//          in register 0x20; host enable bit 0 of register 0x42 (bit 16 of the dword 0x40).
//   Ali:   see ali_host_controller.h for where its functions sit.
//   None:  no SMBus function at all.
enum class SouthBridge { None, Piix4, Ich, Ali };

// How a transfer on the chipset's SMBus ends: done, no acknowledge (device error), a held
// line or lost arbitration (bus error), or given up by the host (failed).
enum class ChipsetOutcome { Done, DeviceError, BusError, Failed };

struct PortConfig {
    std::uint16_t base = 0x378;
    bool board = true; // an evaluation board hangs on this port
    std::uint8_t chipAddress = 0xA8;
    AdapterPolarity polarity = AdapterPolarity::Inverting;
};

struct SimConfig {
    // In the driver's order: port number 1 is ports[0]. Empty: the PC has no port.
    std::vector<PortConfig> ports = std::vector<PortConfig>(1);

    SouthBridge southBridge = SouthBridge::Piix4;
    std::uint16_t smbusBase = 0; // 0: the profile's own (PIIX4 0x5000, ICH 0x0400, ALi 0xE800)
    std::uint32_t smbusIdentifier = 0; // 0: the profile's own; Intel profiles take any word
    bool smbusBoard = true;            // an evaluation board on the chipset's SMBus
    std::uint8_t smbusChipAddress = 0xA8;
    int hostBusyReads = 3; // status reads that show a started transfer still busy
};

} // namespace vsq::sim
