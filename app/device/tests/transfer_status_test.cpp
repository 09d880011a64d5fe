// Learning that a transfer failed: the library's error events, its failed
// statuses and a medium without a road all mark the routine call as failed.

#include "app/device/communications.h"
#include "app/device/transfer_status.h"
#include "simulated_board.h"

using namespace trelvane;
using namespace trelvane::testing;

namespace {

class TransferStatus : public SimulatedBoard {
protected:
    void SetUp() override {
        SimulatedBoard::SetUp();
        protocol().setArbitrationOn(true);
        protocol().setMaxArbitrationDenials(2);
    }
    void holdData(bool low) { pc().holdSdaLow(1, low); }
};

} // namespace

TEST_F(TransferStatus, AReadThatGaveUpIsSeenAsTheLastTransferFailing) {
    EXPECT_FALSE(lastTransferFailed()) << "before the first transfer";
    EXPECT_EQ(ReadRegister(0x94), 0x3E);
    EXPECT_FALSE(lastTransferFailed());

    holdData(true);
    EXPECT_EQ(ReadRegister(0x94), 0);
    EXPECT_TRUE(lastTransferFailed());

    holdData(false);
    EXPECT_EQ(ReadRegister(0x94), 0x3E);
    EXPECT_FALSE(lastTransferFailed());
}

// Another client's failures on its own protocol object are not ours.
TEST_F(TransferStatus, AMarkRemembersOurFailureAmongLaterSuccessesAndNoOtherClients) {
    brisendal::SMBusProtocall other;
    auto token = other.SMBusProtocallError().subscribe([](std::int16_t, const std::string&) {});
    ReadRegister(0x90);
    const TransferMark mark = markTransfers();
    ReadRegister(0x91);
    holdData(true);
    other.PortRead(0xA8, 0x94);
    holdData(false);
    EXPECT_FALSE(transfersFailedSince(mark));

    holdData(true);
    WriteDeviceWord(0x1A, 0x21, 9050);
    holdData(false);
    ReadRegister(0x91);
    EXPECT_FALSE(lastTransferFailed());
    EXPECT_TRUE(transfersFailedSince(mark));
    EXPECT_FALSE(transfersFailedSince(markTransfers()));
}

TEST_F(TransferStatus, EveryKindOfTransferReportsItsGiveUp) {
    holdData(true);
    const auto failed = [](auto&& transfer) {
        transfer();
        return lastTransferFailed();
    };
    EXPECT_TRUE(failed([] { WriteRegister(0x10, 1); }));
    EXPECT_TRUE(failed([] { ReadDeviceRegister(0x58, 0); }));
    EXPECT_TRUE(failed([] { ReadDeviceWord(0x1A, 0x21); }));
    EXPECT_TRUE(failed([] { SendDeviceByte(0x90, 1); }));
    EXPECT_TRUE(failed([] { ReceiveDeviceByte(0x90); }));
    EXPECT_TRUE(failed([] { WriteEEPROMByte(0xF910, 1); }));
    EXPECT_TRUE(failed([] { ReadEEPROMByte(0xF910); }));
    EXPECT_TRUE(failed([] { EraseEEPROMPage(0xF9, 0xE0); }));
}
