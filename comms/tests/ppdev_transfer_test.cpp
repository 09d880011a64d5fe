// A transfer on a real parallel port through ppdev, on a fake of its device:
// the port is opened once for the run and claimed and released around each
// transaction.

#include "comms/PrinterPort.h"
#include "comms/SMBusProtocall.h"
#include "platform/tests/fake_ppdev_system.h"

#include <gtest/gtest.h>

using namespace brisendal;

TEST(PpdevTransfer, ByteDataWriteIsOneClaimDataWritesAndOneReleaseOnADeviceOpenedOnce) {
    vsq::parport::testing::FakePpdev fake;
    fake.addPort(0, "888");
    vsq::parport::useParportBackend(vsq::parport::makePpdevParportBackend(fake.system()));
    auto printerPort = std::make_shared<PrinterPort>();
    printerPort->setDataInverted(true);
    auto protocol = printerPort->SMBusProtocall();

    protocol->PortWrite(0xA8, 0x10, 0x5A);
    EXPECT_EQ(fake.opened, (std::vector<std::string>{"/fake/dev/parport0"}));
    EXPECT_EQ(fake.requests[PPCLAIM], 1);
    EXPECT_EQ(fake.requests[PPWDATA], 114);
    EXPECT_EQ(fake.requests[PPRELEASE], 1);

    protocol->PortWrite(0xA8, 0x11, 0x5A);
    EXPECT_EQ(fake.opened.size(), 1u);
    EXPECT_EQ(fake.requests[PPCLAIM], 2);
    EXPECT_EQ(fake.requests[PPRELEASE], 2);
    EXPECT_EQ(fake.closes, 0);
}
