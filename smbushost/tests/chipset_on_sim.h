#pragma once
// Test fixture: the simulated PC with its chipset SMBus host controller, every
// port access traced from the last power-up on; powered up on the PIIX4 profile
// before each test.

#include "smbushost/tests/port_trace.h"

#include "sim/simulated_pc.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace vsq::testsupport {

class ChipsetOnSim : public ::testing::Test {
protected:
    void SetUp() override { powerUp(); }
    // Powers the PC up on `bridge`, otherwise as `config` says, and forgets the
    // accesses so far.
    void powerUp(sim::SouthBridge bridge = sim::SouthBridge::Piix4, sim::SimConfig config = {}) {
        config.southBridge = bridge;
        pc().configure(config);
        trace.accesses.clear();
    }
    static sim::SimulatedPc& pc() { return sim::SimulatedPc::instance(); }
    // A configuration register of a function on PCI bus 0.
    static std::uint32_t config(int device, int function, std::uint8_t reg) {
        return pc().pci().readConfig(0, device, function, reg);
    }

    PortTrace trace;
};

} // namespace vsq::testsupport
