#pragma once
// Where the block tools find their registers, and how the fields of the
// delay, driver-output, general-purpose-input and watchdog registers pack.

#include <QString>
#include <QStringList>

#include <cstdint>

namespace trelvane {

// --- Programmable delays: PnPDBTIM, rising delay in bits 7-4, falling in 3-0.
inline constexpr int kDelayBlocks = 9;
// PnPDBTIM of block index 0-8.
std::uint8_t PDBTIMAddress(int block);
// The sixteen delay steps, step 0 first ("0", "1", "2", "5" ... "500").
QStringList delayStepEntries();

// --- Programmable driver outputs: PnPDOCFG, mode in bits 6-4, pull-up in 3-0.
inline constexpr int kDriverOutputs = 9;
// PnPDOCFG of output index 0-8.
std::uint8_t PDOCFGAddress(int output);
QStringList driverModeEntries();
// Entry 1 is "Vfet" on outputs 1-4 (index 0-3) and "N/A" on the others.
QStringList pullUpEntries(int output);
// The list entries a register value shows (codes with no entry of their own
// show "Undefined"; pull-up codes 1 and 3 show as 0 and 2).
int driverModeIndex(std::uint8_t value);
int pullUpIndex(std::uint8_t value);
// The register value two list entries stand for ("Undefined" writes 0).
std::uint8_t PDOConfigValue(int modeIndex, int pullUpIndex);

// --- General-purpose inputs: GPInCFG, and their pull-downs in PDEN bits 0-3.
inline constexpr int kGeneralPurposeInputs = 4;
// GPInCFG of input index 0-3; the emulate-fixed-silicon option reverses the order.
std::uint8_t GPIConfigAddress(int input, bool emulateFixedSilicon);

// --- Watchdog input: WDCFG pulse length in bits 4-3, timeout in 2-0; its
// pull-down is PDEN bit 4 (PDENWDI).

} // namespace trelvane
