#pragma once
// For tests on the simulated board: the simulated PC powered up afresh, a
// fixed back-off, and the program's start-up settings of the bus (chip at
// 0xA8; the root object on the inverted adapter at port 888), with the journal
// cleared. The back-off source the test found comes back when it goes.

#include "app/device/com_port.h"
#include "app/device/communications.h"
#include "comms/PrinterPort.h"
#include "platform/services.h"
#include "sim/simulated_pc.h"

namespace trelvane::testing {

class StartUpBus {
public:
    StartUpBus() {
        auto& pc = vsq::sim::SimulatedPc::instance();
        pc.reset();
        previousRandom_ = vsq::platform::setRandomSource([] { return 0.5; });
        gChipAddress = 0xA8;
        // What the start-up does to the root object before anything reaches the bus.
        gComPort().PrinterPort()->setDataInverted(true);
        gComPort().PrinterPort()->setPortAddress(888);
        pc.journal().clear();
    }
    ~StartUpBus() { vsq::platform::setRandomSource(previousRandom_); }
    StartUpBus(const StartUpBus&) = delete;
    StartUpBus& operator=(const StartUpBus&) = delete;

private:
    vsq::platform::RandomSource previousRandom_;
};

} // namespace trelvane::testing
