#pragma once
// Test fixture: the simulated PC powered up afresh, virtual time, a fixed
// back-off, and the program's start-up settings (chip at 0xA8; the root object
// on the inverted adapter at port 888), with the journal cleared.

#include "app/device/com_port.h"
#include "app/device/communications.h"
#include "app/device/tests/start_up_bus.h"
#include "comms/EEPROM.h"
#include "comms/PrinterPort.h"
#include "comms/SMBusProtocall.h"
#include "platform/services.h"
#include "platform/virtual_clock.h"
#include "sim/simulated_pc.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace trelvane::testing {

using Bytes = std::vector<std::uint8_t>;

class SimulatedBoard : public ::testing::Test {
protected:
    void SetUp() override { bus_.emplace(); }
    void TearDown() override { bus_.reset(); }

    static vsq::sim::SimulatedPc& pc() { return vsq::sim::SimulatedPc::instance(); }
    static vsq::sim::Vsq5540& chip(int bus = 1) { return pc().chip(bus); }
    static vsq::sim::Journal& journal() { return pc().journal(); }
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

    vsq::platform::VirtualTime time_{0.0005};

private:
    brisendal::SMBusProtocall::ErrorEvent::Subscription releaseOnError_;
    std::optional<StartUpBus> bus_;
};

} // namespace trelvane::testing
