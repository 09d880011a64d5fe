// The one road to the chip: what each place sets in the library and the
// program, without a byte on the bus, and how a failing setting is met.

#include "app/device/chip_road.h"
#include "app/device/chip_search.h"
#include "app/device/com_port.h"
#include "app/device/communications.h"
#include "comms/PrinterPort.h"
#include "comms/QVSComPort.h"
#include "comms/SMBus.h"
#include "comms/SMBusProtocall.h"
#include "comms/com_error.h"
#include "platform/parallel_port_driver.h"
#include "platform/virtual_clock.h"
#include "sim/simulated_pc.h"
#include "simulated_board.h"

#include <gtest/gtest.h>

namespace trelvane {
namespace {

vsq::sim::SimulatedPc& pc() {
    return vsq::sim::SimulatedPc::instance();
}

using ChipRoad = testing::FreshProgram;

// Two ports, before the root object detects them.
void powerUpTwoPorts() {
    vsq::sim::SimConfig config;
    config.ports = {{0x378, true}, {0x278, true, 0x5C}};
    pc().configure(config);
}

TEST_F(ChipRoad, EachPlaceSetsItsMediumAddressPortAndPolarity) {
    const struct {
        ChipPlace place;
        std::int16_t portType;
        std::uint8_t chipAddress, libraryAddress, smbusAddress;
        std::uint8_t portIndex;
        std::uint16_t portAddress;
        bool inverted;
    } cases[] = {
        // clang-format off
        {kStartUpPlace, 0, 0xA8, 0xA8, 0, 0, 0x378, true},
        {{Medium::PrinterPort, 0x5C, PrinterPortId::index(1), false}, 0, 0x5C, 0x5C, 0, 1, 0x278, false},
        {{Medium::PrinterPort, 0x5A, PrinterPortId::baseAddress(0x278), true}, 0, 0x5A, 0x5A, 0, 1, 0x278, true},
        // The chipset SMBus: the chip's register traffic keeps its road and address.
        {chipsetSMBusPlace(0x2E), 1, 0x11, 0x22, 0x2E, 0, 0x378, false},
        {{Medium::USB, 0x2E, {}, true}, 0, 0x11, 0x22, 0, 0, 0x378, false},
        // clang-format on
    };
    for (const auto& c : cases) {
        powerUpTwoPorts();
        gChipAddress = 0x11;
        gComPort().PrinterPort()->setPortAddressIndex(0);
        gComPort().PrinterPort()->SMBusProtocall()->setDeviceAddress(0x22);
        gComPort().PrinterPort()->SMBusProtocall()->setDataInverted(false);
        gComPort().SMBus()->setDeviceAddress(0);
        gComPort().setPortType(0);
        pc().journal().clear();

        const ChipPlace reached = GoToChip(c.place, SettingFailure::Raise);
        const int row = static_cast<int>(&c - cases);
        auto printerPort = gComPort().PrinterPort();
        EXPECT_EQ(gComPort().PortType(), c.portType) << row;
        EXPECT_EQ(gChipAddress, c.chipAddress) << row;
        EXPECT_EQ(printerPort->SMBusProtocall()->DeviceAddress(), c.libraryAddress) << row;
        EXPECT_EQ(gComPort().SMBus()->DeviceAddress(), c.smbusAddress) << row;
        EXPECT_EQ(printerPort->PortAddressIndex(), c.portIndex) << row;
        EXPECT_EQ(printerPort->PortAddress(), c.portAddress) << row;
        EXPECT_EQ(printerPort->DataInverted(), c.inverted) << row;
        if (c.place.medium == Medium::PrinterPort) {
            EXPECT_EQ(reached.port, PrinterPortId::baseAddress(c.portAddress)) << row;
        }
        EXPECT_TRUE(pc().journal().events().empty()) << row;
    }
}

TEST_F(ChipRoad, WithNothingChosenOnlyThePortReturnsToTheStartUpAddress) {
    powerUpTwoPorts();
    GoToChip({Medium::PrinterPort, 0x5C, PrinterPortId::index(1), false}, SettingFailure::Raise);
    ReturnToStartUpPort(SettingFailure::Raise);
    EXPECT_EQ(gComPort().PrinterPort()->PortAddress(), 0x378);
    EXPECT_FALSE(gComPort().PrinterPort()->DataInverted());
    EXPECT_EQ(gChipAddress, 0x5C);
}

// Without a port driver the root object cannot be created: every setting that
// needs it fails.
TEST_F(ChipRoad, AFailingSettingIsRaisedOrSkippedAsAsked) {
    auto& driver = vsq::platform::ParallelPortDriver::instance();
    const auto library = driver.libraryName();
    driver.setLibraryName("libvsq-no-such-driver.so");
    gChipAddress = 0;
    EXPECT_THROW(GoToChip(kStartUpPlace, SettingFailure::Raise), brisendal::ComError);
    EXPECT_EQ(gChipAddress, 0);
    const ChipPlace reached = GoToChip(kStartUpPlace, SettingFailure::Skip);
    EXPECT_EQ(gChipAddress, 0xA8);
    EXPECT_EQ(reached.port, PrinterPortId::baseAddress(0));
    EXPECT_NO_THROW(ReturnToStartUpPort(SettingFailure::Skip));
    EXPECT_THROW(ReturnToStartUpPort(SettingFailure::Raise), brisendal::ComError);
    driver.setLibraryName(library);
}

// The usage example at the top of chip_road.h, word for word, on two boards.
TEST_F(ChipRoad, TheHeadersExampleRunsAsItReads) {
    powerUpTwoPorts();
    vsq::platform::VirtualTime time{0.0005};

    GoToChip(kStartUpPlace, SettingFailure::Raise);
    HoldBoardLinesHigh();
    ChipSearch search;
    search.FillCandidates();
    search.SearchSelectedMedia(true, false, false);
    const std::uint16_t shown = search.SelectFoundPort(0); // SelectPrinterPort
    const ChipPlace reached =
        GoToChip(search.FoundPlace(0, search.FoundAddresses[0]), SettingFailure::Skip);

    EXPECT_EQ(shown, 0x378);
    EXPECT_EQ(reached,
              (ChipPlace{Medium::PrinterPort, 0xA8, PrinterPortId::baseAddress(0x378), true}));
    EXPECT_EQ(gChipAddress, 0xA8);
    EXPECT_EQ(gComPort().PrinterPort()->SMBusProtocall()->BitsToStayHigh(), 0x0C);
}

} // namespace
} // namespace trelvane
