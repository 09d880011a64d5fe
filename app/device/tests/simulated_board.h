#pragma once
// resetProcessState, which every fixture's SetUp calls first: the process-wide
// state of the program, the communications library and the simulated PC as the
// program finds it when it starts, so a test binary passes run whole and in any
// order. FreshProgram is a fixture that does only that.
// StartUpBoard adds the program's start-up settings (chip at 0xA8; the root
// object on the inverted adapter at port 888), a fixed back-off, and the
// journal cleared, for any fixture; SimulatedBoard, the fixture of the register
// I/O tests, adds virtual time.

#include "app/device/com_port.h"
#include "app/device/communications.h"
#include "app/device/device_state_reset.h"
#include "comms/EEPROM.h"
#include "comms/PrinterPort.h"
#include "comms/SMBusProtocall.h"
#include "comms/bus_state_reset.h"
#include "platform/os_version.h"
#include "platform/services.h"
#include "platform/virtual_clock.h"
#include "sim/simulated_pc.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace trelvane::testing {

using Bytes = std::vector<std::uint8_t>;

// The program's globals go first: letting go of the root object may still
// release a port of the PC.
inline void resetProcessState() {
    resetDeviceStateForTests();
    vsq::sim::SimulatedPc::instance().reset();
    brisendal::resetBusStateForTests();
    vsq::platform::overrideOsVersion(std::nullopt);
    vsq::platform::clearQuitRequest();
}

class FreshProgram : public ::testing::Test {
protected:
    void SetUp() override { resetProcessState(); }
};

class StartUpBoard {
protected:
    // Call from the fixture's SetUp and TearDown.
    void startBoard() {
        resetProcessState();
        previousRandom_ = vsq::platform::setRandomSource([] { return 0.5; });
        gChipAddress = 0xA8;
        // What the start-up does to the root object before anything reaches the bus.
        gComPort().PrinterPort()->setDataInverted(true);
        gComPort().PrinterPort()->setPortAddress(888);
        journal().clear();
    }
    void stopBoard() { vsq::platform::setRandomSource(previousRandom_); }

    static vsq::sim::SimulatedPc& pc() { return vsq::sim::SimulatedPc::instance(); }
    static vsq::sim::Vsq5540& chip(int bus = 1) { return pc().chip(bus); }
    static vsq::sim::Journal& journal() { return pc().journal(); }
    static void clearJournal() { journal().clear(); }
    static std::string traffic(int bus = 1) { return journal().text(bus); }
    static Bytes bytes(int bus = 1) { return journal().bytes(bus); }
    static brisendal::SMBusProtocall& protocol() {
        return *gComPort().PrinterPort()->SMBusProtocall();
    }

    // Makes the next parallel-port transfer give up (SDA held low, line checks
    // on) and frees the bus as soon as the library reports it, so whatever the
    // caller does next would go through.
    void failNextTransfer() {
        protocol().setArbitrationOn(true);
        protocol().setMaxArbitrationDenials(1);
        pc().holdSdaLow(1, true);
        releaseOnError_ =
            protocol().SMBusProtocallError().subscribe([this](std::int16_t, const std::string&) {
                pc().holdSdaLow(1, false);
                releaseOnError_.unsubscribe();
            });
    }

private:
    brisendal::SMBusProtocall::ErrorEvent::Subscription releaseOnError_;
    vsq::platform::RandomSource previousRandom_;
};

class SimulatedBoard : public ::testing::Test, protected StartUpBoard {
protected:
    void SetUp() override { startBoard(); }
    void TearDown() override { stopBoard(); }

    vsq::platform::VirtualTime time_{0.0005};
};

} // namespace trelvane::testing
