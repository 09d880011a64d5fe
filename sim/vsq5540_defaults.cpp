#include "sim/vsq5540_defaults.h"

namespace vsq::sim {
namespace {

struct SupplyFaultBlock {
    std::uint8_t base;
    std::uint8_t overThreshold, overHysteresis, underThreshold, underHysteresis, select;
};

// BS1, BS2, HS, PS1 to PS4.
constexpr SupplyFaultBlock kSupplyFaultBlocks[] = {
    {0xA0, 0xDF, 0x1F, 0x9F, 0x1F, 0x72}, {0xA8, 0x60, 0x1F, 0x20, 0x1F, 0xF2},
    {0xB0, 0xEF, 0x1F, 0x9F, 0x1F, 0x76}, {0xB8, 0x66, 0x1F, 0x40, 0x1F, 0x76},
    {0xC0, 0xE6, 0x1F, 0x99, 0x1F, 0x72}, {0xC8, 0x80, 0x1F, 0x40, 0x1F, 0x72},
    {0xD0, 0x66, 0x1F, 0x1A, 0x1F, 0x72},
};

constexpr std::uint8_t kDriverOutputConfig[9] = {0x12, 0x12, 0x12, 0x12, 0x15,
                                                 0x17, 0x19, 0x1B, 0x1B};

} // namespace

std::array<std::uint8_t, 256> vsq5540DefaultRegisters() {
    std::array<std::uint8_t, 256> r{};
    r[0x90] = 0x01; // UPDCFG: UPD
    r[0xE3] = 0x01; // CLKTRIM
    for (const auto& block : kSupplyFaultBlocks) {
        r[block.base + 0] = block.overThreshold;
        r[block.base + 1] = block.overHysteresis;
        r[block.base + 2] = block.underThreshold;
        r[block.base + 3] = block.underHysteresis;
        r[block.base + 4] = block.select;
    }
    r[0x98] = 0x07; // GPI1CFG; GPI2CFG to GPI4CFG stay 0
    r[0x91] = 0x1E; // PDEN
    for (int n = 1; n <= 9; ++n) {
        const int base = 16 * (n - 1);
        std::uint8_t inputMask = 0xFF;
        if (n >= 2 && n <= 8)
            inputMask = static_cast<std::uint8_t>(0xFF & ~(1u << (n - 2)));
        r[base + 0x0] = 0x00;                                 // PnPLBPOLA
        r[base + 0x1] = inputMask;                            // PnPLBIMKA
        r[base + 0x2] = n == 1 ? 0x01 : 0x00;                 // PnSFDPOLA
        r[base + 0x3] = n == 1 ? 0xFE : n == 9 ? 0x7F : 0xFF; // PnSFDIMKA
        r[base + 0x4] = 0x00;                                 // PnGPIPOL
        r[base + 0x5] = 0xFF;                                 // PnGPIIMK
        r[base + 0x6] = 0x55;                                 // PnWDICFG
        r[base + 0x7] = 0x02;                                 // PSnEN
        r[base + 0x8] = 0x00;                                 // PnPLBPOLB
        r[base + 0x9] = 0xFF;                                 // PnPLBIMKB
        r[base + 0xA] = 0x00;                                 // PnSFDPOLB
        r[base + 0xB] = 0xFF;                                 // PnSFDIMKB
        r[base + 0xC] = 0xFF;                                 // PnPDBTIM
        r[base + 0xD] = kDriverOutputConfig[n - 1];           // PnPDOCFG
    }
    r[0x93] = kManufacturerId;
    r[0x94] = 0x3E; // DEVID
    r[0x95] = kRevisionId;
    return r;
}

} // namespace vsq::sim
