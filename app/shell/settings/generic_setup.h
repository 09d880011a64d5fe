#pragma once
// The default set-up: one fixed, known configuration of the chip's working
// registers and the board's analog switch and DACs, written without reading
// anything back. Nothing is copied into the EEPROM.

#include <cstdint>
#include <functional>
#include <vector>

namespace trelvane {

struct SetupStep {
    enum class Kind { Progress, ChipRegister, SendByte, DeviceWord };
    Kind kind = Kind::Progress;
    std::uint8_t device = 0;  // SendByte, DeviceWord
    std::uint8_t address = 0; // the register, or the device's command byte
    std::uint16_t value = 0;  // the byte or word written; the percentage for Progress
};

// The steps in order: 168 chip register writes, then 8 board transfers, with
// the progress shown at 0, 20, 40, 60, 80 and 100 percent.
const std::vector<SetupStep>& DefaultSetupSteps();

// Runs the steps; `showPercentDone` shows each percentage.
void GenericSetup(const std::function<void(std::uint8_t)>& showPercentDone);

} // namespace trelvane
