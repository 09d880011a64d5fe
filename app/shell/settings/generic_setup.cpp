#include "app/shell/settings/generic_setup.h"

#include "app/device/board_chips.h"
#include "app/device/chip_registers.h"
#include "app/device/communications.h"

#include <array>

namespace trelvane {
namespace {

using Kind = SetupStep::Kind;

// The test register that trims the chip's clock.
constexpr std::uint8_t kClockTrim = 0xE3;

// Each logic block owns sixteen register addresses; block n starts at 16 (n - 1).
constexpr int kBlockStride = 0x10;

struct SupplyFaultBlock {
    std::uint8_t base; // xxOVTH; then xxOVHYST, xxUVTH, xxUVHYST, xxSEL
    std::array<std::uint8_t, 5> values;
};

// clang-format off
constexpr std::array<SupplyFaultBlock, 7> kSupplyFaultBlocks = {{
    {reg::BS1OVTH, {0xDF, 0x1F, 0x9F, 0x1F, 0x72}},
    {reg::BS2OVTH, {0x60, 0x1F, 0x20, 0x1F, 0xF2}},
    {reg::HSOVTH,  {0xEF, 0x1F, 0x9F, 0x1F, 0x76}},
    {reg::PS1OVTH, {0x66, 0x1F, 0x40, 0x1F, 0x76}},
    {reg::PS2OVTH, {0xE6, 0x1F, 0x99, 0x1F, 0x72}},
    {reg::PS3OVTH, {0x80, 0x1F, 0x40, 0x1F, 0x72}},
    {reg::PS4OVTH, {0x66, 0x1F, 0x1A, 0x1F, 0x72}},
}};

// Block 1's twelve registers PnPLBPOLA to PnSFDIMKB, in address order; the
// other blocks' lie kBlockStride apart.
constexpr std::array<std::uint8_t, 12> kBlockRegisters = {
    reg::P1PLBPOLA, reg::P1PLBIMKA, reg::P1SFDPOLA, reg::P1SFDIMKA, reg::P1GPIPOL, reg::P1GPIIMK,
    reg::P1WDICFG,  reg::PS1EN,     reg::P1PLBPOLB, reg::P1PLBIMKB, reg::P1SFDPOLB, reg::P1SFDIMKB,
};

// Per block 1 to 9, the values of those twelve registers. Blocks 2 to 8 take
// PLB inputs from the block before (PnPLBIMKA with bit n - 2 clear).
constexpr std::array<std::array<std::uint8_t, 12>, 9> kBlockValues = {{
    {0x00, 0xFF, 0x01, 0xFE, 0x00, 0xFF, 0x55, 0x02, 0x00, 0xFF, 0x00, 0xFF},
    {0x00, 0xFE, 0x00, 0xFF, 0x00, 0xFF, 0x55, 0x02, 0x00, 0xFF, 0x00, 0xFF},
    {0x00, 0xFD, 0x00, 0xFF, 0x00, 0xFF, 0x55, 0x02, 0x00, 0xFF, 0x00, 0xFF},
    {0x00, 0xFB, 0x00, 0xFF, 0x00, 0xFF, 0x55, 0x02, 0x00, 0xFF, 0x00, 0xFF},
    {0x00, 0xF7, 0x00, 0xFF, 0x00, 0xFF, 0x55, 0x02, 0x00, 0xFF, 0x00, 0xFF},
    {0x00, 0xEF, 0x00, 0xFF, 0x00, 0xFF, 0x55, 0x02, 0x00, 0xFF, 0x00, 0xFF},
    {0x00, 0xDF, 0x00, 0xFF, 0x00, 0xFF, 0x55, 0x02, 0x00, 0xFF, 0x00, 0xFF},
    {0x00, 0xBF, 0x00, 0xFF, 0x00, 0xFF, 0x55, 0x02, 0x00, 0xFF, 0x00, 0xFF},
    {0x00, 0xFF, 0x00, 0x7F, 0x00, 0xFF, 0x55, 0x02, 0x00, 0xFF, 0x00, 0xFF},
}};

constexpr std::array<std::uint8_t, 9> kDelayTimes = {
    reg::P1PDBTIM, reg::P2PDBTIM, reg::P3PDBTIM, reg::P4PDBTIM, reg::P5PDBTIM,
    reg::P6PDBTIM, reg::P7PDBTIM, reg::P8PDBTIM, reg::P9PDBTIM,
};

struct RegisterValue {
    std::uint8_t address;
    std::uint8_t value;
};

constexpr std::array<RegisterValue, 9> kDriverOutputs = {{
    {reg::P1PDOCFG, 0x12}, {reg::P2PDOCFG, 0x12}, {reg::P3PDOCFG, 0x12},
    {reg::P4PDOCFG, 0x12}, {reg::P5PDOCFG, 0x15}, {reg::P6PDOCFG, 0x17},
    {reg::P7PDOCFG, 0x19}, {reg::P8PDOCFG, 0x1B}, {reg::P9PDOCFG, 0x1B},
}};

constexpr std::array<RegisterValue, 5> kInputsAndPullDowns = {{
    {reg::GPI1CFG, 0x07}, {reg::GPI2CFG, 0x00}, {reg::GPI3CFG, 0x00}, {reg::GPI4CFG, 0x00},
    {reg::PDEN, 0x1E},
}};

struct DacWord {
    std::uint8_t device;
    std::uint8_t channel;
    std::uint16_t word;
};

// U5's channel D is not written.
constexpr std::array<DacWord, 7> kDacWords = {{
    {board::kDacU5, board::kDacChannelC, 0x2344},
    {board::kDacU5, board::kDacChannelA, 0x2200},
    {board::kDacU5, board::kDacChannelB, 0x2200},
    {board::kDacU6, board::kDacChannelA, 0x2233},
    {board::kDacU6, board::kDacChannelB, 0x21AB},
    {board::kDacU6, board::kDacChannelC, 0x2133},
    {board::kDacU6, board::kDacChannelD, 0x2100},
}};

constexpr std::uint8_t kAnalogSwitchSetting = 0x41; // S1 and S7 closed
// clang-format on

std::vector<SetupStep> buildSteps() {
    std::vector<SetupStep> steps;
    const auto progress = [&](std::uint16_t percent) {
        steps.push_back({Kind::Progress, 0, 0, percent});
    };
    const auto chip = [&](std::uint8_t address, std::uint8_t value) {
        steps.push_back({Kind::ChipRegister, 0, address, value});
    };

    progress(0);
    chip(reg::UPDCFG, reg::field::UPDCFG::UPD.mask);
    chip(kClockTrim, 0x01);
    for (std::size_t block = 0; block < kSupplyFaultBlocks.size(); ++block) {
        if (block == 6)
            progress(20); // between PS3 and PS4
        for (std::uint8_t offset = 0; offset < 5; ++offset)
            chip(static_cast<std::uint8_t>(kSupplyFaultBlocks[block].base + offset),
                 kSupplyFaultBlocks[block].values[offset]);
    }
    for (const RegisterValue& write : kInputsAndPullDowns)
        chip(write.address, write.value);
    for (std::size_t block = 0; block < kBlockValues.size(); ++block) {
        for (std::size_t i = 0; i < kBlockRegisters.size(); ++i)
            chip(static_cast<std::uint8_t>(kBlockRegisters[i] + kBlockStride * block),
                 kBlockValues[block][i]);
        if (block == 2)
            progress(40);
        if (block == 5)
            progress(60);
    }
    for (const std::uint8_t address : kDelayTimes)
        chip(address, 0xFF);
    progress(80);
    for (const RegisterValue& write : kDriverOutputs)
        chip(write.address, write.value);
    steps.push_back({Kind::SendByte, board::kAnalogSwitchU2, 0, kAnalogSwitchSetting});
    for (const DacWord& dac : kDacWords)
        steps.push_back({Kind::DeviceWord, dac.device, dac.channel, dac.word});
    progress(100);
    return steps;
}

} // namespace

const std::vector<SetupStep>& DefaultSetupSteps() {
    static const std::vector<SetupStep> steps = buildSteps();
    return steps;
}

void GenericSetup(const std::function<void(std::uint8_t)>& showPercentDone) {
    for (const SetupStep& step : DefaultSetupSteps()) {
        switch (step.kind) {
        case Kind::Progress:
            showPercentDone(static_cast<std::uint8_t>(step.value));
            break;
        case Kind::ChipRegister:
            WriteRegister(step.address, static_cast<std::uint8_t>(step.value));
            break;
        case Kind::SendByte:
            SendDeviceByte(step.device, static_cast<std::uint8_t>(step.value));
            break;
        case Kind::DeviceWord:
            WriteDeviceWord(step.device, step.address, step.value);
            break;
        }
    }
}

} // namespace trelvane
