// The root object and the tree below it.

#include "comms/EEPROM.h"
#include "comms/PrinterPort.h"
#include "comms/QVSComPort.h"
#include "comms/SMBus.h"
#include "comms/SMBusProtocall.h"
#include "comms/USB.h"
#include "platform/parallel_port_driver.h"
#include "simulated_board.h"

using namespace brisendal;
using namespace brisendal::testing;

using RootObject = SimulatedBoard;

TEST_F(RootObject, HandsOutTheSameChildrenAndReachesTheBusThroughThem) {
    QVSComPort root;
    EXPECT_EQ(root.PrinterPort(), root.PrinterPort());
    EXPECT_EQ(root.SMBus(), root.SMBus());
    EXPECT_EQ(root.PrinterPort()->SMBusProtocall(), root.PrinterPort()->SMBusProtocall());
    root.USB()->OpenUSBPort();
    root.USB()->CloseUSBPort();

    root.PrinterPort()->setDataInverted(true);
    root.PrinterPort()->setPortAddress(888);
    root.PrinterPort()->SMBusProtocall()->PortWrite(0xA8, 0x10, 0x5A);
    EXPECT_EQ(pc().chip().registerValue(0x10), 0x5A);
    root.PrinterPort()->setDeviceAddress(0xA8);
    EXPECT_EQ(root.PrinterPort()->EEPROM()->ReadByte(0xF8, 0x10), pc().chip().eepromByte(0xF810));
}

TEST_F(RootObject, TwoRootsShareOneBusState) {
    QVSComPort application;
    application.PrinterPort()->setDataInverted(true);
    application.PrinterPort()->setDeviceAddress(0x5C);
    QVSComPort manager; // a second client, as the control manager makes one
    EXPECT_TRUE(manager.PrinterPort()->DataInverted());
    EXPECT_EQ(manager.PrinterPort()->SMBusProtocall()->DeviceAddress(), 0x5C);
    EXPECT_NE(manager.PrinterPort(), application.PrinterPort());
}

TEST_F(RootObject, EmptyChildrenAreFailedStatuses) {
    QVSComPort root;
    auto kept = root.PrinterPort();
    root.setPrinterPort(nullptr);
    root.setSMBus(nullptr);
    root.setUSB(nullptr);
    EXPECT_EQ(failureOf([&] { root.PrinterPort(); }).number, 91);
    EXPECT_EQ(failureOf([&] { root.SMBus(); }).number, 91);
    EXPECT_EQ(failureOf([&] { root.USB(); }).number, 91);
    root.setPrinterPort(kept);
    EXPECT_EQ(root.PrinterPort(), kept);
}

TEST_F(RootObject, AMissingPortDriverFailsTheCreation) {
    auto& driver = vsq::platform::ParallelPortDriver::instance();
    const auto name = driver.libraryName();
    driver.setLibraryName("libno-such-parport-driver.so");
    EXPECT_EQ(failureOf([] { QVSComPort root; }).number, 53);
    driver.setLibraryName(name);
    EXPECT_EQ(failureOf([] { QVSComPort root; }).number, 0);
}
