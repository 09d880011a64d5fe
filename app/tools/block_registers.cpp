#include "app/tools/block_registers.h"

#include "app/device/chip_registers.h"

#include <array>

namespace trelvane {
namespace {

namespace pdocfg = reg::field::PnPDOCFG;

constexpr std::array<std::uint8_t, kDelayBlocks> kPDBTIM = {
    reg::P1PDBTIM, reg::P2PDBTIM, reg::P3PDBTIM, reg::P4PDBTIM, reg::P5PDBTIM,
    reg::P6PDBTIM, reg::P7PDBTIM, reg::P8PDBTIM, reg::P9PDBTIM};

constexpr std::array<std::uint8_t, kDriverOutputs> kPDOCFG = {
    reg::P1PDOCFG, reg::P2PDOCFG, reg::P3PDOCFG, reg::P4PDOCFG, reg::P5PDOCFG,
    reg::P6PDOCFG, reg::P7PDOCFG, reg::P8PDOCFG, reg::P9PDOCFG};

constexpr std::array<std::uint8_t, kGeneralPurposeInputs> kGPICFG = {reg::GPI1CFG, reg::GPI2CFG,
                                                                     reg::GPI3CFG, reg::GPI4CFG};

// Pull-up code (bits 3-0) written for each entry; the last entry is "Undefined".
constexpr std::array<std::uint8_t, 13> kPullUpCodes = {0, 2, 4, 5, 6, 7, 8, 9, 10, 11, 14, 15, 0};
constexpr int kUndefinedPullUp = 12;
constexpr int kUndefinedMode = 5;

} // namespace

std::uint8_t PDBTIMAddress(int block) {
    return kPDBTIM.at(block);
}

QStringList delayStepEntries() {
    return {"0",  "1",   "2",   "5",   "10",  "20",  "40",  "60",
            "80", "100", "150", "200", "250", "300", "400", "500"};
}

std::uint8_t PDOCFGAddress(int output) {
    return kPDOCFG.at(output);
}

QStringList driverModeEntries() {
    return {"Disabled with weak pulldown", "PLB Data",  "SMBus Data, Drive Low",
            "SMBus Data, Drive High",      "MCLK Data", "Undefined"};
}

QStringList pullUpEntries(int output) {
    return {"None",
            output < 4 ? "Vfet" : "N/A",
            "VP 1, Weak Pullup",
            "VP 1, Strong Pullup",
            "VP 2, Weak Pullup",
            "VP 2, Strong Pullup",
            "VP 3, Weak Pullup",
            "VP 3, Strong Pullup",
            "VP 4, Weak Pullup",
            "VP 4, Strong Pullup",
            "Vdd, Weak Pullup",
            "Vdd, Strong Pullup",
            "Undefined"};
}

int driverModeIndex(std::uint8_t value) {
    const int mode = pdocfg::Mode.get(value);
    return mode < kUndefinedMode ? mode : kUndefinedMode;
}

int pullUpIndex(std::uint8_t value) {
    // Codes 1 and 3 have no entry of their own: they show as 0 and 2.
    const int code = pdocfg::PullUp.get(value);
    const int even = code & ~1;
    for (int index = 0; index < kUndefinedPullUp; ++index)
        if (kPullUpCodes[index] == (code < 4 ? even : code))
            return index;
    return kUndefinedPullUp;
}

std::uint8_t PDOConfigValue(int modeIndex, int pullUpIndex) {
    const std::uint8_t mode =
        modeIndex >= 0 && modeIndex < kUndefinedMode ? pdocfg::Mode.put(modeIndex) : 0;
    const std::uint8_t pullUp =
        pullUpIndex >= 0 && pullUpIndex < static_cast<int>(kPullUpCodes.size())
            ? kPullUpCodes[pullUpIndex]
            : 0;
    return mode | pullUp;
}

std::uint8_t GPIConfigAddress(int input, bool emulateFixedSilicon) {
    return kGPICFG.at(emulateFixedSilicon ? kGeneralPurposeInputs - 1 - input : input);
}

} // namespace trelvane
