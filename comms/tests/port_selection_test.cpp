// Choosing, claiming and reaching a parallel port through PrinterPort and its
// register objects.

#include "comms/ControlPort.h"
#include "comms/DataPort.h"
#include "comms/PrinterPort.h"
#include "comms/SMBusProtocall.h"
#include "comms/StatusPort.h"
#include "simulated_board.h"

using namespace brisendal;
using namespace brisendal::testing;
using Bytes = std::vector<std::uint8_t>;
using vsq::sim::PortConfig;
using vsq::sim::SimConfig;

namespace {

using PortSelection = SimulatedBoard;

} // namespace

// The second port is a card above 0x8000.
TEST_F(PortSelection, ByPositionAndByAddress) {
    SimConfig twoPorts;
    twoPorts.ports = {PortConfig{0x378, false}, PortConfig{0xC010, true, 0x5C}};
    configure(twoPorts);
    PrinterPort port;
    EXPECT_EQ(port.PrinterPortsDetected(), 2);
    EXPECT_EQ(port.PortAddressIndex(), 0);
    EXPECT_EQ(port.PortAddress(), 888);
    port.setPortAddressIndex(1);
    EXPECT_EQ(port.PortAddress(), 0xC010);
    port.setPortAddressIndex(2);
    EXPECT_EQ(port.PortAddressIndex(), 2);
    EXPECT_EQ(port.PortAddress(), 0xC010);

    port.setPortAddressIndex(0);
    port.setPortAddress(0xC010);
    EXPECT_EQ(port.PortAddressIndex(), 1);
    port.setPortAddress(0x3BC); // not detected
    EXPECT_EQ(port.PortAddressIndex(), 1);
    EXPECT_EQ(port.PortAddress(), 0xC010);
    port.SMBusProtocall()->setPortAddress(0x3BC);
    EXPECT_EQ(port.PortAddress(), 0xC010);

    port.setDataInverted(true);
    port.SMBusProtocall()->PortWrite(0x5C, 0x10, 0x5A);
    EXPECT_EQ(port.SMBusProtocall()->PortRead(0x5C, 0x94), 0x3E);
    EXPECT_EQ(pc().chip(2).registerValue(0x10), 0x5A);
    EXPECT_EQ(traffic(2), "S 5C+ 10+ 5A+ P S 5C+ 94+ P S 5D+ 3E- P");
    EXPECT_EQ(journal().port(2).claims, 2u);
    EXPECT_EQ(journal().port(1).claims, 0u);

    // Setting the address counts the ports again; an index past the new count
    // is only stored, although the first detection knew that port.
    SimConfig onePort;
    onePort.ports = {PortConfig{0x378, false}};
    configure(onePort);
    port.setPortAddress(0x378);
    EXPECT_EQ(port.PortAddressIndex(), 0);
    port.setPortAddressIndex(1);
    EXPECT_EQ(port.PortAddressIndex(), 1);
    EXPECT_EQ(port.PortAddress(), 0x378);
}

// No port, or 256 of them: the driver's count keeps its low 8 bits.
TEST_F(PortSelection, NoPortDetected) {
    SimConfig many;
    many.ports.clear();
    for (int i = 0; i < 256; ++i)
        many.ports.push_back(PortConfig{static_cast<std::uint16_t>(0x1000 + 4 * i), false});
    SimConfig none;
    none.ports.clear();
    for (const SimConfig& config : {none, many}) {
        busState().resetForTests();
        configure(config);
        PrinterPort port;
        EXPECT_EQ(port.PrinterPortsDetected(), 0);
        EXPECT_EQ(port.DataPort()->Value(), 0);
        EXPECT_EQ(port.StatusPort()->Value(), 0);
        EXPECT_EQ(port.ControlPort()->Value(), 0);
        port.setLockPortOpen(true);
        EXPECT_FALSE(port.LockPortOpen());
        port.setPortAddress(888);
        EXPECT_EQ(port.PortAddress(), 0);
    }
}

TEST_F(PortSelection, RegisterObjectsWriteTheByteUnchanged) {
    PrinterPort port;
    port.SMBusProtocall()->setBitsToStayHigh(0x0C);
    journal().clear();
    port.DataPort()->setValue(0x55);
    EXPECT_EQ(dataWrites(), (Bytes{0x55}));
    EXPECT_EQ(port.DataPort()->Value(), 0x55);
    port.ControlPort()->setValue(0x0A);
    EXPECT_EQ(port.ControlPort()->Value(), 0x0A);
    // 0x55 pulls SCL low through the inverted adapter and leaves SDA released.
    EXPECT_EQ(port.StatusPort()->Value() & 0x30, 0x20);
    EXPECT_EQ(claims(), Claims(5, 5));
}

// Data and status are served without claims; the control register and the
// stay-high bits claim the port again, which drops the lock.
TEST_F(PortSelection, ALockedPortServesDataAndStatusButTheControlRegisterAndStayHighBitsReclaimIt) {
    PrinterPort port;
    port.setDataInverted(true);
    port.setLockPortOpen(true);
    port.DataPort()->setValue(0x55);
    port.StatusPort()->Value();
    port.StatusPort()->setValue(0x00);
    EXPECT_EQ(claims(), Claims(1, 0));
    port.ControlPort()->Value();
    EXPECT_FALSE(port.LockPortOpen());
    EXPECT_EQ(claims(), Claims(2, 2));
    port.setLockPortOpen(true);
    port.ControlPort()->setValue(0x04); // a write too
    EXPECT_FALSE(port.LockPortOpen());
    EXPECT_EQ(journal().port(1).claims, 4u);

    port.setLockPortOpen(true);
    port.SMBusProtocall()->setBitsToStayHigh(0x0C);
    EXPECT_FALSE(port.LockPortOpen());
    EXPECT_EQ(dataWrites().back(), 0x0C); // both lines released, with the new bits
    EXPECT_EQ(claims().first, claims().second);
}

TEST_F(PortSelection, WaitAckReportsWhatItFoundAndLetsGoOfAPortItOpened) {
    PrinterPort port;
    port.setDataInverted(true);
    auto protocol = port.SMBusProtocall();
    time_.setStep(1.0 / 1024); // exact in binary, so the time-out's length is exact
    const double start = vsq::platform::secondsNow();
    EXPECT_FALSE(protocol->WaitAck(1)); // nobody pulls SDA low: a time-out
    EXPECT_EQ(claims(), Claims(1, 1));
    // It ends at the first clock reading past the time-out.
    EXPECT_EQ(vsq::platform::secondsNow() - start, 1.0 + 1.0 / 1024);

    pc().holdSdaLow(1, true);
    EXPECT_TRUE(protocol->WaitAck(1));
    EXPECT_EQ(claims(), Claims(2, 2));
}
