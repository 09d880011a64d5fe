// The register I/O routines on the simulated board: the traffic each puts on
// the bus, on the parallel-port road and on the chipset's SMBus.

#include "app/device/com_port.h"
#include "app/device/communications.h"
#include "app/device/transfer_status.h"
#include "comms/com_error.h"
#include "platform/parallel_port_driver.h"
#include "simulated_board.h"

using namespace trelvane;
using namespace trelvane::testing;

namespace {

class RegisterIO : public SimulatedBoard {};
using RegisterIOWithoutARoad = FreshProgram;
using RegisterIOWithoutADriver = FreshProgram;

} // namespace

TEST_F(RegisterIO, ChipRegistersGoToTheChipAddressOnTheParallelPortOnly) {
    WriteRegister(0x90, 0x01);
    EXPECT_EQ(traffic(), "S A8+ 90+ 01+ P");
    EXPECT_EQ(traffic(vsq::sim::kChipsetBus), "") << "the chipset's bus is left alone";
    EXPECT_EQ(chip().registerValue(0x90), 0x01);
    journal().clear();

    EXPECT_EQ(ReadRegister(0x94), 0x3E);
    EXPECT_EQ(bytes(), (Bytes{0xA8, 0x94, 0xA9, 0x3E}));

    gChipAddress = 0x5C;
    journal().clear();
    WriteRegister(0x10, 0x22);
    EXPECT_EQ(traffic(), "S 5C- 10- 22- P"); // nobody answers 0x5C on this board
}

// Words travel high byte first; send and receive bytes carry no command byte.
TEST_F(RegisterIO, DeviceTransfersGoToTheGivenDeviceInTheirOwnFrames) {
    WriteDeviceRegister(0x58, 0x00, 0x80);
    WriteDeviceWord(0x1A, 0x21, 9050);
    SendDeviceByte(0x90, 0xA5);
    EXPECT_EQ(traffic(), "S 58+ 00+ 80+ P S 1A+ 21+ 23+ 5A+ P S 90+ A5+ P");
    journal().clear();
    EXPECT_EQ(ReadDeviceRegister(0x58, 0x00), 0x80);
    EXPECT_EQ(ReadDeviceWord(0x1A, 0x21), 9050);
    EXPECT_EQ(ReceiveDeviceByte(0x90), 0xA5);
    EXPECT_EQ(bytes(), (Bytes{0x58, 0x00, 0x59, 0x80, 0x1A, 0x21, 0x1B, 0x23, 0x5A, 0x91, 0xA5}));
}

// The chipset's host controller takes 7-bit addresses: the routines halve the
// 8-bit ones, so the chip at 0xA8 is the one that answers.
TEST_F(RegisterIO, ChipsetRoadCarriesTheByteRegistersOnly) {
    gPortType = 1;
    WriteRegister(0x10, 0x5A);
    EXPECT_EQ(traffic(vsq::sim::kChipsetBus), "S A8+ 10+ 5A+ P");
    EXPECT_EQ(chip(vsq::sim::kChipsetBus).registerValue(0x10), 0x5A);
    EXPECT_FALSE(lastTransferFailed());
    EXPECT_EQ(ReadRegister(0x94), 0x3E);
    WriteDeviceRegister(0x58, 0x00, 0x40);
    EXPECT_EQ(ReadDeviceRegister(0x58, 0x00), 0x40);
    journal().clear();

    WriteDeviceWord(0x1A, 0x21, 9050);
    EXPECT_TRUE(lastTransferFailed());
    EXPECT_EQ(ReadDeviceWord(0x1A, 0x21), 0);
    SendDeviceByte(0x90, 0xA5);
    EXPECT_EQ(ReceiveDeviceByte(0x90), 0);
    WriteEEPROMByte(0xF810, 0x5A);
    EXPECT_EQ(ReadEEPROMByte(0xF810), 0);
    EXPECT_TRUE(lastTransferFailed());
    EXPECT_TRUE(journal().events().empty());
}

TEST_F(RegisterIOWithoutARoad, SendsNothingAndCreatesNoRootObject) {
    gChipAddress = 0xA8;
    for (int selector : {2, 255}) {
        gPortType = static_cast<std::uint8_t>(selector);
        WriteRegister(0x90, 0x01);
        EXPECT_EQ(ReadRegister(0x94), 0);
        EXPECT_EQ(ReadDeviceRegister(0x58, 0), 0);
        EXPECT_EQ(ReadDeviceWord(0x1A, 0x21), 0);
        EXPECT_EQ(ReceiveDeviceByte(0x90), 0);
        EXPECT_EQ(ReadEEPROMByte(0xF810), 0);
        EXPECT_TRUE(lastTransferFailed());
    }
    EXPECT_FALSE(comPortCreated());
    EXPECT_TRUE(vsq::sim::SimulatedPc::instance().journal().events().empty());
}

// A missing port driver fails the creation of the root object: the routine
// raises that failed status, and the next call tries again.
TEST_F(RegisterIOWithoutADriver, RaisesTheFailedStatusAndRetriesNextTime) {
    gChipAddress = 0xA8;
    const auto driver = vsq::platform::ParallelPortDriver::instance().libraryName();
    vsq::platform::ParallelPortDriver::instance().setLibraryName("libno-such-driver.so");
    EXPECT_THROW(WriteRegister(0x90, 0x01), brisendal::ComError);
    EXPECT_TRUE(lastTransferFailed());
    EXPECT_FALSE(comPortCreated());

    vsq::platform::ParallelPortDriver::instance().setLibraryName(driver);
    gComPort().PrinterPort()->setDataInverted(true);
    WriteRegister(0x90, 0x01);
    EXPECT_FALSE(lastTransferFailed());
    EXPECT_EQ(vsq::sim::SimulatedPc::instance().chip().registerValue(0x90), 0x01);
}
