// 32-byte block transfers with packet error checking, against the simulated
// block test device (0x6A) and the chip.

#include "comms/PrinterPort.h"
#include "comms/SMBusProtocall.h"
#include "comms/com_error.h"
#include "simulated_board.h"

#include <numeric>

using namespace brisendal;
using namespace brisendal::testing;
using Bytes = std::vector<std::uint8_t>;

namespace {

constexpr std::uint8_t kBlockDevice = 0x6A;

class BlockTransfers : public StartedBoard {
protected:
    void SetUp() override {
        StartedBoard::SetUp();
        protocol_->setDeviceAddress(kBlockDevice);
        std::array<std::uint8_t, 32> block;
        std::iota(block.begin(), block.end(), std::uint8_t{0x40});
        device().setBlock(block);
        journal().clear();
    }

    static vsq::sim::BlockTestDevice& device() { return pc().board(1)->blockDevice(); }

    static std::vector<int> payload(std::initializer_list<int> bytes) {
        std::vector<int> data{0, 0, 0};
        data.insert(data.end(), bytes);
        return data;
    }
};

} // namespace

TEST_F(BlockTransfers, WriteWithPecCoversHeaderAndPayload) {
    protocol_->setDeviceAddress(0xA9); // the write address drops the read bit
    protocol_->setUsePEC(true);
    const auto data = payload({0x12, 0x34});
    protocol_->BlockWrite(2, data);
    EXPECT_EQ(journal().bytes(1), (Bytes{0xA8, 0xA0, 0x02, 0x12, 0x34, 0x32}));
    EXPECT_EQ(protocol_->FinalPEC(), 0x32);
    const auto trace = protocol_->GetPECData();
    EXPECT_EQ(Bytes(trace.begin(), trace.begin() + 5), (Bytes{0x51, 0xD9, 0x0F, 0x53, 0x32}));
    EXPECT_EQ(data, payload({0x12, 0x34})); // the caller's array is not changed
    EXPECT_TRUE(heard_.empty());
    // The pre-start (both low, clock low with data high twice, both high), then the start.
    EXPECT_EQ(Bytes(dataWrites().begin(), dataWrites().begin() + 7), (Bytes{3, 1, 1, 0, 0, 2, 3}));
}

TEST_F(BlockTransfers, TheDeviceChecksTheWrittenPecAndTheAcknowledgeIsRead) {
    protocol_->setUsePEC(true);
    protocol_->BlockWrite(3, payload({1, 2, 3}));
    EXPECT_EQ(device().lastWrite().data, (Bytes{1, 2, 3}));
    EXPECT_TRUE(device().lastWrite().pecMatched);
    EXPECT_TRUE(protocol_->PECOK());
    EXPECT_EQ(traffic().substr(0, 9), "S 6A+ A0+");
    EXPECT_TRUE(busIdle());

    protocol_->setUsePEC(false);
    protocol_->setBlockWriteWaitAck(true); // slow acknowledge clocks: 0.1 s each
    const double start = vsq::platform::secondsNow();
    protocol_->BlockWrite(2, payload({9, 8}));
    EXPECT_EQ(device().lastWrite().data, (Bytes{9, 8}));
    EXPECT_FALSE(device().lastWrite().pecReceived);
    EXPECT_GE(vsq::platform::secondsNow() - start, 0.2);

    protocol_->setBlockWriteWaitAck(false);
    std::vector<int> full(3 + 32, 0xFF); // a whole block of the largest byte
    protocol_->BlockWrite(32, full);
    EXPECT_EQ(device().lastWrite().data, Bytes(32, 0xFF));
}

TEST_F(BlockTransfers, BadArgumentsAreRefusedBeforeThePortIsOpened) {
    const struct {
        std::uint8_t count;
        std::vector<int> data;
        int number;
    } refused[] = {
        {33, std::vector<int>(36, 0), 5},   // more than a block
        {255, std::vector<int>(258, 0), 5}, // would overrun the PEC buffer
        {3, payload({1, 2}), 9},            // an element is missing
        {2, payload({1, 256}), 6},          // does not fit a byte
        {2, payload({-1, 2}), 6},
    };
    for (const auto& r : refused)
        EXPECT_EQ(failureOf([&] { protocol_->BlockWrite(r.count, r.data); }).number, r.number)
            << "count " << int(r.count);
    EXPECT_EQ(port().claims, 0u);
    EXPECT_EQ(port().dataWrites, 0u);
}

TEST_F(BlockTransfers, ReadWithPecChecksWhatFollowsTheRepeatedStart) {
    protocol_->setUsePEC(true);
    protocol_->BlockRead(0, 0);
    SMBusProtocall::BlockArray expected{0x6B, 32}; // the read address, the count, the bytes
    std::iota(expected.begin() + 2, expected.begin() + 34, std::int16_t{0x40});
    EXPECT_EQ(protocol_->GetBlockReadData(), expected);
    EXPECT_TRUE(protocol_->PECOK());
    EXPECT_EQ(protocol_->FinalPEC(), protocol_->ReceivedPEC());
    EXPECT_EQ(traffic().substr(0, 20), "S 6A+ A1+ Sr 6B+ 20+");
    EXPECT_EQ(traffic().substr(traffic().size() - 3), "- P") << traffic(); // the PEC byte
    EXPECT_TRUE(busIdle());
    EXPECT_TRUE(heard_.empty());
}

TEST_F(BlockTransfers, ReadWithoutPecEndsTheBlockWithANoAcknowledge) {
    printerPort_->setLockPortOpen(true); // claimed again all the same: the lock drops
    protocol_->BlockRead(0, 0);
    EXPECT_FALSE(printerPort_->LockPortOpen());
    EXPECT_EQ(claims(), Claims(2, 2));
    const auto data = protocol_->GetBlockReadData();
    EXPECT_EQ(data[1], 0); // written only by a PEC check
    EXPECT_EQ(data[33], 0x5F);
    EXPECT_EQ(traffic().substr(traffic().size() - 5), "5F- P") << traffic();
    EXPECT_TRUE(busIdle()); // the device let go of the bus: a clean stop
}

TEST_F(BlockTransfers, AWrongByteCountIsReportedAndTheFrameStillEnds) {
    for (const int count : {33, 31}) {
        heard_.clear();
        journal().clear();
        device().setReportedCount(static_cast<std::uint8_t>(count));
        protocol_->BlockRead(0, 0);
        ASSERT_EQ(heard_.size(), 1u) << count;
        EXPECT_EQ(heard_[0], (HeardError{1, "The byte count read did not equal 32"}));
        EXPECT_EQ(protocol_->BlockByteCount(), count);
        EXPECT_EQ(traffic(), count == 33 ? "S 6A+ A1+ Sr 6B+ 21- P" : "S 6A+ A1+ Sr 6B+ 1F- P");
        EXPECT_TRUE(busIdle());
        EXPECT_EQ(claims(), Claims(1, 1));
        EXPECT_FALSE(busState().BusError);
    }
}

TEST_F(BlockTransfers, AGiveUpIsReportedLikeTheByteTransfers) {
    protocol_->setArbitrationOn(true);
    protocol_->setMaxArbitrationDenials(4);
    pc().holdSdaLow(1, true);
    protocol_->BlockWrite(2, payload({1, 2}));
    protocol_->BlockRead(0, 0);
    EXPECT_EQ(heard_, std::vector<HeardError>(2, HeardError{2, arbitrationText(4)}));
    EXPECT_EQ(backOffs(), 8);
    EXPECT_EQ(failureLeft(), Failed(false, 0));
    EXPECT_EQ(port().claims, port().releases);
}
