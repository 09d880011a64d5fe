#pragma once
// The settings windows headless on the simulated board: a fresh simulated PC,
// the program's start-up settings of the root object, and virtual time whose
// every yield may run a step of the test (a click while a wait runs).

#include "app/device/com_port.h"
#include "app/device/communications.h"
#include "app/shell/testing/shell_test.h"
#include "comms/PrinterPort.h"
#include "platform/services.h"
#include "platform/virtual_clock.h"
#include "sim/simulated_pc.h"

#include <functional>

namespace trelvane::testing {

class SettingsFormsTest : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        pc().reset();
        previousRandom_ = vsq::platform::setRandomSource([] { return 0.5; });
        gChipAddress = 0xA8;
        gComPort().PrinterPort()->setDataInverted(true);
        gComPort().PrinterPort()->setPortAddress(888);
        previousHook_ = vsq::platform::setYieldHook([this](vsq::platform::YieldMode) {
            time_.clock().advance(0.001);
            if (onYield)
                onYield();
        });
        journal().clear();
    }
    void TearDown() override {
        vsq::platform::setYieldHook(previousHook_);
        vsq::platform::setRandomSource(previousRandom_);
        vsq::platform::clearQuitRequest();
        ShellTest::TearDown();
    }

    static vsq::sim::SimulatedPc& pc() { return vsq::sim::SimulatedPc::instance(); }
    static vsq::sim::Vsq5540& chip() { return pc().chip(1); }
    static vsq::sim::Journal& journal() { return pc().journal(); }
    static std::string traffic() { return journal().text(1); }

    std::function<void()> onYield;
    vsq::platform::VirtualTime time_{0.001};

private:
    vsq::platform::YieldHook previousHook_;
    vsq::platform::RandomSource previousRandom_;
};

} // namespace trelvane::testing
