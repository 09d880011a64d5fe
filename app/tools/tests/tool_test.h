#pragma once
// Tool window tests on the simulated board: the chip powered up with the
// default set-up image, the program's start-up settings of the bus and the
// descriptors, and the journal cleared. writes() lists the chip register
// writes the journal saw since, as "AC=F6".

#include "app/device/com_port.h"
#include "app/device/communications.h"
#include "app/device/object_descriptors.h"
#include "app/shell/core/app_globals.h"
#include "app/shell/testing/shell_test.h"
#include "comms/PrinterPort.h"
#include "comms/SMBusProtocall.h"
#include "platform/services.h"
#include "platform/virtual_clock.h"
#include "sim/simulated_pc.h"

#include <QComboBox>

#include <cstdio>
#include <string>
#include <vector>

namespace trelvane::testing {

class ToolTest : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        pc().reset();
        previousRandom_ = vsq::platform::setRandomSource([] { return 0.5; });
        gChipAddress = 0xA8;
        gEmulateFixedSilicon = false;
        gComPort().PrinterPort()->setDataInverted(true);
        gComPort().PrinterPort()->setPortAddress(888);
        CreateObjectDescriptors();
        pc().journal().clear();
    }
    void TearDown() override {
        vsq::platform::setRandomSource(previousRandom_);
        ShellTest::TearDown();
    }

    static vsq::sim::SimulatedPc& pc() { return vsq::sim::SimulatedPc::instance(); }
    static vsq::sim::Vsq5540& chip() { return pc().chip(1); }
    static void clearJournal() { pc().journal().clear(); }

    // The chip register writes on the bus, in order: register=value, in hex.
    static std::vector<std::string> writes() { return transfers().writes; }
    // The chip registers read on the bus, in order.
    static std::vector<int> reads() { return transfers().reads; }

    // Makes the next transfer give up (SDA held low, line checks on) and frees
    // the bus as soon as the library reports it.
    void failNextTransfer() {
        auto& protocol = *gComPort().PrinterPort()->SMBusProtocall();
        protocol.setArbitrationOn(true);
        protocol.setMaxArbitrationDenials(1);
        pc().holdSdaLow(1, true);
        releaseOnError_ =
            protocol.SMBusProtocallError().subscribe([this](std::int16_t, const std::string&) {
                pc().holdSdaLow(1, false);
                releaseOnError_.unsubscribe();
            });
    }

    // A user's choice of entry `index` in a list.
    static void choose(QComboBox* list, int index) {
        list->setCurrentIndex(index);
        emit list->activated(index);
    }

    vsq::platform::VirtualTime time_{0.0005};

private:
    struct Transfers {
        std::vector<std::string> writes;
        std::vector<int> reads;
    };
    // A byte write is A8 register value; a byte read A8 register A9 value.
    static Transfers transfers() {
        Transfers found;
        const auto bytes = pc().journal().bytes(1);
        std::size_t i = 0;
        while (i + 2 < bytes.size() && bytes[i] == 0xA8) {
            if (bytes[i + 2] == 0xA9 && i + 3 < bytes.size()) {
                found.reads.push_back(bytes[i + 1]);
                i += 4;
            } else {
                char text[8];
                std::snprintf(text, sizeof text, "%02X=%02X", bytes[i + 1], bytes[i + 2]);
                found.writes.emplace_back(text);
                i += 3;
            }
        }
        EXPECT_EQ(i, bytes.size()) << "bus traffic other than chip byte reads and writes";
        return found;
    }

    brisendal::SMBusProtocall::ErrorEvent::Subscription releaseOnError_;
    vsq::platform::RandomSource previousRandom_;
};

} // namespace trelvane::testing
