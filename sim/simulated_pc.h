#pragma once
// The simulated PC: one I/O space per process holding the parallel ports with their
// evaluation boards, the PCI configuration ports and the chipset's SMBus host
// controller. The platform's "sim" port I/O and parallel-port driver backends reach it
// here; tests configure it, inject faults and read its journal.
//
// At first use it powers up as VSQ_SIM describes (sim_config_parser.h; defaults: one
// port at 0x378 with a board behind an inverting adapter, chip at 0xA8, a PIIX4 south
// bridge with a board on its SMBus) and captures the lines into VSQ_SIM_CAPTURE when
// that names a file.
//
// Buses: 1, 2, ... the parallel ports in the driver's order; kChipsetBus (0) the
// chipset's SMBus.
//
// Typical test:
//     auto& pc = SimulatedPc::instance();
//     SimConfig config;
//     config.ports = {{0x378, false}, {0x278, true, 0x5C}};
//     pc.configure(config);            // power up anew, journal cleared
//     ... drive port 0x278 through out8/in8 ...
//     EXPECT_EQ(pc.journal().text(2), "S 5C+ 10+ 5A+ P");
//     EXPECT_EQ(pc.chip(2).registerValue(0x10), 0x5A);
// Not thread-safe: the program and the tests use it from one thread.

#include "sim/evaluation_board.h"
#include "sim/journal.h"
#include "sim/line_capture.h"
#include "sim/pci_configuration.h"
#include "sim/sim_config.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace vsq::sim {

class IoSpace;
class ParallelPort;

class SimulatedPc {
public:
    // The process's one simulated PC, configured from VSQ_SIM at first use.
    static SimulatedPc& instance();
    ~SimulatedPc();

    std::uint8_t in8(std::uint16_t port);
    void out8(std::uint16_t port, std::uint8_t value);
    std::uint32_t in32(std::uint16_t port);
    void out32(std::uint16_t port, std::uint32_t value);

    // The parallel ports as the port driver presents them, numbered from 1.
    int parallelPortCount() const;
    std::optional<std::uint32_t> parallelPortBase(int portNumber) const;
    bool claimParallelPort(int portNumber);
    void releaseParallelPort(int portNumber);

    // --- Configuration ---
    // Powers up anew as `config` says: every register, EEPROM and board chip at its
    // power-up value, faults gone, journal cleared.
    void configure(const SimConfig& config);
    // configure(SimConfig{}): the built-in defaults, whatever VSQ_SIM says.
    void reset();
    // How many times the PC has been configured: a cache of its ports (their
    // addresses) holds while this stays the same.
    std::uint64_t configurations() const { return configurations_; }
    // configure() from VSQ_SIM (the built-in defaults when it is unset), and capture
    // into VSQ_SIM_CAPTURE when that names a file (else stop capturing).
    void configureFromEnvironment();
    const SimConfig& config() const { return config_; }

    // --- The hardware, for direct set-up and assertions (no bus traffic) ---
    // The board on a bus, or nullptr when there is none.
    EvaluationBoard* board(int bus);
    // The chip on a bus's board; throws std::out_of_range when the bus has no board.
    Vsq5540& chip(int bus = 1);
    ParallelPort* parallelPort(int portNumber);
    PciConfiguration& pci();
    // Bus levels of a parallel port's bus (true = high); both high without a board.
    bool scl(int portNumber) const;
    bool sda(int portNumber) const;

    // The voltage on an input (0-7, as the ADC's configuration bits 7-5 number it) of the
    // QA2296 at `adcAddress` (0x50, 0x52, 0x54) on a bus's board.
    void setAdcInputVoltage(int bus, std::uint8_t adcAddress, int input, double volts);

    // --- Faults (bus = port number, or kChipsetBus) ---
    void setDevicePresent(int bus, std::uint8_t address, bool present);
    void holdSclLow(int bus, bool low);
    void holdSdaLow(int bus, bool low);
    // An addressed slave holds SCL after each acknowledge clock for that many accesses
    // to the port's registers (parallel ports only).
    void setClockStretch(int bus, int accesses);
    // Another master takes the bus: on a port for the next `length` data-register
    // writes, on the chipset's SMBus for the next `length` transfers.
    void startSecondMaster(int bus, int length);
    // The chipset's host controller reports each of its error statuses: the next
    // `transfers` transfers end with that status and no bus traffic.
    void failChipsetTransfers(ChipsetOutcome outcome, int transfers);
    void setClaimRefused(int portNumber, bool refused);
    // The driver library missing is the platform's to simulate: point
    // vsq::platform::ParallelPortDriver::setLibraryName (or VSQ_PARPORT_LIBRARY) at a
    // file that does not exist. No ports: configure with an empty port list.

    // --- Observation ---
    Journal& journal() { return journal_; }
    // Capture the lines into a file ("" stops); false when it cannot be opened.
    bool setCaptureFile(const std::string& path);
    void flushCapture() { capture_.flush(); }

    SimulatedPc(const SimulatedPc&) = delete;
    SimulatedPc& operator=(const SimulatedPc&) = delete;

private:
    SimulatedPc();
    ParallelPort& requirePort(int portNumber, const char* what) const;

    SimConfig config_;
    Journal journal_;
    LineCapture capture_;
    std::unique_ptr<IoSpace> io_;
    std::uint64_t configurations_ = 0;
};

} // namespace vsq::sim
